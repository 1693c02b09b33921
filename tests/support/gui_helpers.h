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

// Runs the event loop a little while: real input travels through the X server and comes back
// as events some time after it is sent.
inline void Settle() {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
  while (std::chrono::steady_clock::now() < until) {
    wxEventLoopBase::GetActive()->DispatchTimeout(10);
    wxTheApp->ProcessPendingEvents();
  }
}

// Real input, sent through the X server as a person's pointer and keyboard send it: it
// reaches whatever window lies at that place or holds the focus, not necessarily the one meant.
// Given done, each action waits until done() holds and says whether it did; without, it lets
// the event loop run a little while after the input.
inline constexpr std::chrono::seconds kInputLimit{10};

inline bool ClickAt(const wxPoint& screen_point, int button = wxMOUSE_BTN_LEFT,
                    const std::function<bool()>& done = nullptr) {
  wxUIActionSimulator input;
  if (done) {
    input.MouseMove(screen_point);
    if (!WaitFor([&] { return wxGetMousePosition() == screen_point; }, kInputLimit)) return false;
    input.MouseClick(button);
    return WaitFor(done, kInputLimit);
  }
  Settle();  // a window just shown is laid out and on screen first
  input.MouseMove(screen_point);
  Settle();
  input.MouseClick(button);
  Settle();
  return true;
}

inline bool ClickOn(const wxWindow& window, int button = wxMOUSE_BTN_LEFT,
                    const std::function<bool()>& done = nullptr) {
  const wxRect rect = window.GetScreenRect();
  return ClickAt(wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2), button, done);
}

// A click on item of list, found where the list itself says the item lies.
inline void ClickItem(const wxListBox& list, int item) {
  Settle();
  const wxSize size = list.GetClientSize();
  for (int y = 1; y < size.y; ++y)
    if (list.HitTest(wxPoint(size.x / 2, y)) == item) {
      ClickAt(list.ClientToScreen(wxPoint(size.x / 2, y + 3)));
      return;
    }
  ADD_FAILURE() << "item " << item << " is not on screen";
}

inline bool PressKey(int key, int modifiers = wxMOD_NONE, const std::function<bool()>& done = nullptr) {
  wxUIActionSimulator().Char(key, modifiers);
  if (done) return WaitFor(done, kInputLimit);
  Settle();
  return true;
}

inline void TypeText(const std::string& text) {
  wxUIActionSimulator().Text(text.c_str());
  Settle();
}

// Whether the keyboard focus is in window or in one of its inner windows.
inline bool FocusIsIn(const wxWindow* window) {
  for (const wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent())
    if (focus == window) return true;
  return false;
}

// Brings window's top-level window forward and puts the keyboard focus in window.
[[nodiscard]] inline bool FocusOn(wxWindow& window) {
  wxGetTopLevelParent(&window)->Raise();
  window.SetFocus();
  return WaitFor([&] { return FocusIsIn(&window); }, kInputLimit);
}

// Presses Tab count times and names the control the focus settled in each time, among known;
// "?" where the toolkit reports no focused window, as it does inside a drop-down entered with
// Tab. On its way the focus may pass through no window, or the one that held it: it has
// arrived once it stays put for 300 ms.
inline std::vector<std::string> TabWalk(std::size_t count,
                                        const std::vector<std::pair<const wxWindow*, std::string>>& known) {
  std::vector<std::string> reached;
  for (std::size_t i = 0; i < count; ++i) {
    const wxWindow* last = wxWindow::FindFocus();
    wxUIActionSimulator().Char(WXK_TAB);
    WaitFor([&] { return wxWindow::FindFocus() != last; }, kInputLimit);
    auto unchanged_since = std::chrono::steady_clock::now();
    WaitFor([&] {
      const auto now = std::chrono::steady_clock::now();
      if (wxWindow::FindFocus() != last) last = wxWindow::FindFocus(), unchanged_since = now;
      return now - unchanged_since > std::chrono::milliseconds(300);
    }, std::chrono::seconds(3));
    std::string name = wxWindow::FindFocus() ? "other" : "?";
    for (const auto& [window, window_name] : known)
      if (FocusIsIn(window)) name = window_name;
    reached.push_back(name);
  }
  return reached;
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

// Real modal dialogs answered as a person answers them: each one, once on screen, gets a key
// press (Enter takes its default button) through the X server. One that is still open a while
// later did not get the key, because another window holds the keyboard: it is closed anyway,
// so that no test hangs, and counted in unanswered.
class AnswerDialogsByKey : public wxModalDialogHook {
 public:
  explicit AnswerDialogsByKey(int key = WXK_RETURN) : press_(key), rescue_(*this) { Register(); }

  std::vector<wxWindow*> parents;  // the parent of each dialog, in order
  int unanswered = 0;

 protected:
  int Enter(wxDialog* dialog) override {
    parents.push_back(dialog->GetParent());
    open_ = dialog;
    press_.StartOnce(300);
    rescue_.StartOnce(3000);
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {
    open_ = nullptr;
    rescue_.Stop();
  }

 private:
  struct KeyPress : wxTimer {
    explicit KeyPress(int k) : key(k) {}
    void Notify() override { wxUIActionSimulator().Char(key); }
    int key;
  };
  struct Rescue : wxTimer {
    explicit Rescue(AnswerDialogsByKey& o) : owner(o) {}
    void Notify() override {
      wxDialog* dialog = owner.open_;
      if (!dialog) return;
      ++owner.unanswered;
      if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
      else CloseToolkitMessageBox(*dialog);
    }
    AnswerDialogsByKey& owner;
  };
  wxDialog* open_ = nullptr;
  KeyPress press_;
  Rescue rescue_;
};

}  // namespace testing_support
