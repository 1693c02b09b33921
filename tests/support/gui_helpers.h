#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/button.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/toolkit_message_box.h"
#include "support/wait_for.h"

namespace testing_support {

// Lets the toolkit deliver what is pending (size events, CallAfter, repaints).
inline void PumpEvents() {
  for (int i = 0; i < 5; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
  }
}

// Destroys a top-level window now rather than at the next idle time.
inline void DestroyNow(wxWindow* window) {
  window->Destroy();
  PumpEvents();
}

// Real input, sent through the X server as a person's pointer and keyboard send it: it
// reaches whatever window lies at that place or holds the focus, not necessarily the one meant.
// Each action waits until done() holds, what the input should bring about, and says whether it
// did: input travels through the display server and comes back as events at its own pace.
inline constexpr std::chrono::seconds kInputLimit{10};

inline bool ClickAt(const wxPoint& screen_point, int button, const std::function<bool()>& done) {
  wxUIActionSimulator input;
  input.MouseMove(screen_point);
  if (!WaitFor([&] { return wxGetMousePosition() == screen_point; }, kInputLimit)) return false;
  input.MouseClick(button);
  return WaitFor(done, kInputLimit);
}

inline bool ClickOn(const wxWindow& window, int button, const std::function<bool()>& done) {
  const wxRect rect = window.GetScreenRect();
  return ClickAt(wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2), button, done);
}

// Whether the keyboard focus is in window or in one of its inner windows.
inline bool FocusIsIn(const wxWindow* window) {
  for (const wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent())
    if (focus == window) return true;
  return false;
}

// A left click that gives window the keyboard focus.
[[nodiscard]] inline bool ClickInto(const wxWindow& window) {
  return ClickOn(window, wxMOUSE_BTN_LEFT, [&] { return FocusIsIn(&window); });
}

// A click on item of list, found where the list itself says the item lies once it is laid
// out on screen; it selects it.
[[nodiscard]] inline bool ClickItem(const wxListBox& list, int item) {
  wxPoint place;
  const bool shown = WaitFor([&] {
    for (int y = 1; y < list.GetClientSize().y; ++y)
      if (list.HitTest(wxPoint(list.GetClientSize().x / 2, y)) == item) {
        place = list.ClientToScreen(wxPoint(list.GetClientSize().x / 2, y + 3));
        return true;
      }
    return false;
  }, kInputLimit);
  if (!shown) ADD_FAILURE() << "item " << item << " is not on screen";
  return shown && ClickAt(place, wxMOUSE_BTN_LEFT, [&] { return list.GetSelection() == item; });
}

inline bool PressKey(int key, int modifiers, const std::function<bool()>& done) {
  wxUIActionSimulator().Char(key, modifiers);
  return WaitFor(done, kInputLimit);
}

inline bool TypeText(const std::string& text, const std::function<bool()>& done) {
  wxUIActionSimulator().Text(text.c_str());
  return WaitFor(done, kInputLimit);
}

// Brings window's top-level window forward and puts the keyboard focus in window.
[[nodiscard]] inline bool FocusOn(wxWindow& window) {
  wxGetTopLevelParent(&window)->Raise();
  window.SetFocus();
  return WaitFor([&] { return FocusIsIn(&window); }, kInputLimit);
}

// A control the Tab walk should reach, and the name a failure shows for it. A null window
// stands for "no window": GTK names none while Tab is inside a drop-down.
using TabStop = std::pair<const wxWindow*, std::string>;

// Presses Tab once for each stop, waiting each time until the focus is in that stop, and
// returns the names of the stops reached: the stop's own, another stop's where the focus went
// there instead, "other" for a window that is no stop, "?" for none.
inline std::vector<std::string> TabWalk(const std::vector<TabStop>& stops) {
  const auto holds_focus = [](const wxWindow* stop) {
    return stop ? FocusIsIn(stop) : wxWindow::FindFocus() == nullptr;
  };
  std::vector<std::string> reached;
  for (const auto& [wanted, wanted_name] : stops) {
    wxUIActionSimulator().Char(WXK_TAB);
    WaitFor([&] { return holds_focus(wanted); }, std::chrono::seconds(3));
    std::string name = wxWindow::FindFocus() ? "other" : "?";
    for (const auto& [stop, stop_name] : stops)
      if (stop && FocusIsIn(stop)) name = stop_name;
    if (!wanted && !wxWindow::FindFocus()) name = wanted_name;
    reached.push_back(name);
  }
  return reached;
}

inline std::vector<std::string> StopNames(const std::vector<TabStop>& stops) {
  std::vector<std::string> names;
  for (const auto& stop : stops) names.push_back(stop.second);
  return names;
}

// GTK names no window while Tab is inside a drop-down; the native Windows one is named.
inline const wxWindow* DropDownStop(const wxWindow& drop_down) {
#ifdef _WIN32
  return &drop_down;
#else
  static_cast<void>(drop_down);
  return nullptr;
#endif
}

// The top-level window that holds the keyboard focus, or nullptr.
inline wxWindow* FocusedTopLevel() {
  wxWindow* focus = wxWindow::FindFocus();
  return focus ? wxGetTopLevelParent(focus) : nullptr;
}

// A window manager maps a new window and hands it the focus some time after it is shown, and
// gives the focus back some time after a dialog closes: waits until top holds the focus. Without
// a window manager the focus moves at once, and this returns at once.
inline bool FocusReachesTopLevel(const wxWindow* top) {
  return WaitFor([&] { return FocusedTopLevel() == top; }, std::chrono::seconds(3));
}

// Every caption of window's labels and buttons that a person could not read: smaller than
// 8 points, a line wider than its control, more lines than its control's height holds, or a
// control lying over another caption. Written as "caption: what is wrong".
inline std::vector<std::string> UnreadableCaptions(const wxWindow& window) {
  std::vector<const wxControl*> captions;
  std::vector<const wxWindow*> pending{&window};
  while (!pending.empty()) {
    const wxWindow* w = pending.back();
    pending.pop_back();
    for (const wxWindow* child : w->GetChildren()) {
      pending.push_back(child);
      if (!child->IsShown()) continue;
      if (auto* c = dynamic_cast<const wxControl*>(child);
          c && (dynamic_cast<const wxStaticText*>(c) || dynamic_cast<const wxButton*>(c)) &&
          !c->GetLabelText().empty())
        captions.push_back(c);
    }
  }
  std::vector<std::string> problems;
  for (const wxControl* c : captions) {
    const std::string name = c->GetLabelText().utf8_string();
    if (c->GetFont().GetFractionalPointSize() < 8.0)
      problems.push_back(name + ": " + std::to_string(c->GetFont().GetFractionalPointSize()) + " pt");
    int line_height = 0;
    const wxArrayString lines = wxSplit(c->GetLabelText(), '\n', 0);
    for (const wxString& line : lines) {
      int width = 0;
      const wxFont font = c->GetFont();
      c->GetTextExtent(line, &width, &line_height, nullptr, nullptr, &font);
      if (width > c->GetSize().x) problems.push_back(name + ": wider than its control");
    }
    if (static_cast<int>(lines.size()) * line_height > c->GetSize().y + 2)
      problems.push_back(name + ": taller than its control");
    for (const wxControl* other : captions)
      if (other != c && other->GetParent() == c->GetParent() && c->GetLabelText() != other->GetLabelText() &&
          c->GetRect().Intersects(other->GetRect()))
        problems.push_back(name + ": lies over " + other->GetLabelText().utf8_string());
  }
  return problems;
}

// Watches the modal dialogs opened while it lives, the toolkit's own and the message boxes it
// shows through the system, and records each one's parent. Given act, it works each dialog as
// a person would once the dialog is on screen with the keyboard (PressKey(WXK_RETURN) takes its
// default button); a dialog that never gets the keyboard, because another window holds it, or
// that act leaves open, is closed 3 seconds after it opened, so that no test hangs, and counted
// in unanswered.
class ModalDialogs : public wxModalDialogHook {
 public:
  using Act = std::function<void(wxDialog&)>;
  explicit ModalDialogs(Act act = nullptr) : act_(std::move(act)), look_(*this), rescue_(*this) {
    Register();
  }
  static Act PressKey(int key) {
    return [key](wxDialog&) { wxUIActionSimulator().Char(key); };
  }

  std::vector<wxWindow*> parents;  // the parent of each dialog, in order
  int unanswered = 0;

  // Closes the dialog open now, as its Cancel would.
  void Close() {
    if (!open_) return;
    if (open_->IsModal()) open_->EndModal(wxID_CANCEL);
    else CloseToolkitMessageBox(*open_);
  }

 protected:
  int Enter(wxDialog* dialog) override {
    parents.push_back(dialog->GetParent());
    open_ = dialog;
    if (act_) {
      look_.Start(20);
      rescue_.StartOnce(3000);
    }
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {
    open_ = nullptr;
    look_.Stop();
    rescue_.Stop();
  }

 private:
  struct Look : wxTimer {
    explicit Look(ModalDialogs& o) : owner(o) {}
    void Notify() override {
      if (!owner.open_ || !DialogHasTheKeyboard(*owner.open_)) return;
      Stop();
      owner.act_(*owner.open_);
    }
    ModalDialogs& owner;
  };
  struct Rescue : wxTimer {
    explicit Rescue(ModalDialogs& o) : owner(o) {}
    void Notify() override {
      if (!owner.open_) return;
      ++owner.unanswered;
      owner.Close();
    }
    ModalDialogs& owner;
  };
  Act act_;
  wxDialog* open_ = nullptr;
  Look look_;
  Rescue rescue_;
};

}  // namespace testing_support
