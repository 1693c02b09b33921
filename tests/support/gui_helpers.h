#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
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

// Real input, through the display server as a person's: it reaches whatever lies there or holds
// the focus. Each action waits until done(), what it should bring about, holds, and says whether.
inline constexpr std::chrono::seconds kInputLimit{10};

inline bool ClickAt(const wxPoint& screen_point, int button, const std::function<bool()>& done) {
  wxUIActionSimulator input;
  input.MouseMove(screen_point);
  if (!WaitFor([&] { return wxGetMousePosition() == screen_point; }, kInputLimit)) return false;
  input.MouseClick(button);
  return WaitFor(done, kInputLimit);
}

inline bool ClickOn(const wxWindow& window, int button, const std::function<bool()>& done) {
  return ClickAt(window.GetScreenPosition() + window.GetSize() / 2, button, done);
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

// A click on item of list where the list itself says the item lies once laid out; it selects it.
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

// A control the Tab walk should reach and its name; null while Tab is inside a GTK drop-down.
using TabStop = std::pair<const wxWindow*, std::string>;

// Presses Tab once per stop, waiting for the focus to reach it, and gives the names of the stops
// reached: "other" for a window that is no stop, "?" for none.
inline std::vector<std::string> TabWalk(const std::vector<TabStop>& stops) {
  std::vector<std::string> reached;
  for (const auto& [wanted, wanted_name] : stops) {
    wxUIActionSimulator().Char(WXK_TAB);
    WaitFor([&] { return wanted ? FocusIsIn(wanted) : !wxWindow::FindFocus(); }, std::chrono::seconds(3));
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
inline const wxWindow* DropDownStop([[maybe_unused]] const wxWindow& drop_down) {
#ifdef _WIN32
  return &drop_down;
#else
  return nullptr;
#endif
}

// Waits until top holds the focus: a window manager hands it over some time after a window shows.
inline bool FocusReachesTopLevel(const wxWindow* top, std::chrono::seconds limit = kInputLimit) {
  return WaitFor([&] { return wxWindow::FindFocus() && wxGetTopLevelParent(wxWindow::FindFocus()) == top; }, limit);
}

// Every label or button caption of window a person could not read, as "caption: what is wrong":
// under 8 points, wider or taller than its control, or lying over another caption.
inline std::vector<std::string> UnreadableCaptions(const wxWindow& window) {
  std::vector<const wxControl*> captions;
  const std::function<void(const wxWindow&)> collect = [&](const wxWindow& parent) {
    for (const wxWindow* child : parent.GetChildren()) {
      collect(*child);
      auto* c = dynamic_cast<const wxControl*>(child);
      if ((dynamic_cast<const wxStaticText*>(c) || dynamic_cast<const wxButton*>(c)) && c->IsShown() &&
          !c->GetLabelText().empty())
        captions.push_back(c);
    }
  };
  collect(window);
  std::vector<std::string> problems;
  for (const wxControl* c : captions) {
    const std::string name = c->GetLabelText().utf8_string();
    const wxFont font = c->GetFont();
    if (font.GetFractionalPointSize() < 8.0)
      problems.push_back(name + ": " + std::to_string(font.GetFractionalPointSize()) + " pt");
    int line_height = 0;
    const wxArrayString lines = wxSplit(c->GetLabelText(), '\n', 0);
    for (const wxString& line : lines) {
      int width = 0;
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

// Records the parent of each modal dialog opened while it lives. Given act, it works each one once it
// has the keyboard; one that never gets it, or that act leaves open, is closed after 3 s as unanswered.
class ModalDialogs : public wxModalDialogHook, private wxTimer {
 public:
  using Act = std::function<void(wxDialog&)>;
  explicit ModalDialogs(Act act = nullptr) : act_(std::move(act)) { Register(); }

  std::vector<wxWindow*> parents;  // the parent of each dialog, in order
  int unanswered = 0;

  // Closes the dialog open now, as its Cancel would.
  void Close() {
    if (open_ && open_->IsModal()) open_->EndModal(wxID_CANCEL);
    else if (open_) CloseToolkitMessageBox(*open_);
  }

 protected:
  int Enter(wxDialog* dialog) override {
    parents.push_back(dialog->GetParent());
    open_ = dialog;
    acted_ = false;
    give_up_ = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    if (act_) Start(20);
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {
    open_ = nullptr;
    Stop();
  }

 private:
  void Notify() override {
    if (!open_) return;
    if (std::chrono::steady_clock::now() > give_up_) {
      ++unanswered;
      Stop();
      Close();
    } else if (!acted_ && DialogHasTheKeyboard(*open_)) {
      acted_ = true;
      act_(*open_);
    }
  }

  Act act_;
  wxDialog* open_ = nullptr;
  bool acted_ = false;
  std::chrono::steady_clock::time_point give_up_;
};

// Picks item in window's list as a click does: selects it and runs the window's handler.
template <class Window>
void PickInList(Window& window, int item) {
  window.List1->SetSelection(item);
  window.OnListClick();
}

inline std::vector<std::string> ListItems(const wxListBox& list) {
  std::vector<std::string> items;
  for (const wxString& s : list.GetStrings()) items.push_back(s.utf8_string());
  return items;
}

// Clicks button twice, each click expected to show a real message box of owner's that takes the
// keyboard (Enter answers it): one parented elsewhere raised that window over owner and the key was lost.
inline void ExpectEachClickAMessageOwnedBy(const wxWindow& button, const wxWindow& owner) {
  platform::ScopedDialogBackend real_dialogs(platform::WxDialogBackend());
  ModalDialogs answers([](wxDialog&) { wxUIActionSimulator().Char(WXK_RETURN); });
  FocusReachesTopLevel(&owner, std::chrono::seconds(3));  // a window manager may still be mapping it
  for (std::size_t click = 1; click <= 2; ++click) {
    ClickOn(button, wxMOUSE_BTN_LEFT, [&] { return answers.parents.size() == click; });
    ASSERT_EQ(answers.parents.size(), click) << "the click was lost";
    EXPECT_EQ(answers.parents.back(), &owner);
    EXPECT_EQ(answers.unanswered, 0) << "the message box did not have the keyboard";
    EXPECT_TRUE(FocusReachesTopLevel(&owner)) << "the focus did not come back";
  }
}

}  // namespace testing_support
