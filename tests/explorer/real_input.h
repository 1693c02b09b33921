#pragma once

#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/wait_for.h"

namespace testing_support {

// Real key presses and mouse clicks, sent through the display server (XTest) and delivered by
// the toolkit exactly as a user's are: handlers that stop an event from reaching its control
// show up here and nowhere else. Each action waits until what it should cause has happened.
class RealInput {
 public:
  // Brings the window's top-level window forward and puts the keyboard focus in window.
  [[nodiscard]] bool Focus(wxWindow* window) {
    wxGetTopLevelParent(window)->Raise();
    window->SetFocus();
    return Until([window] { return FocusIsIn(window); });
  }

  // Presses and releases key, then waits until done() holds.
  [[nodiscard]] bool Press(int key_code, const std::function<bool()>& done, int modifiers = wxMOD_NONE) {
    simulator_.Char(key_code, modifiers);
    return Until(done);
  }

  // Clicks at a point of window's client area, then waits until done() holds.
  [[nodiscard]] bool Click(wxWindow* window, const wxPoint& at, int button,
                           const std::function<bool()>& done) {
    const wxPoint on_screen = window->ClientToScreen(at);
    simulator_.MouseMove(on_screen);
    if (!Until([&] { return wxGetMousePosition() == on_screen; })) return false;
    simulator_.MouseClick(button);
    return Until(done);
  }

  [[nodiscard]] bool ClickMiddle(wxWindow* window, int button, const std::function<bool()>& done) {
    const wxSize size = window->GetClientSize();
    return Click(window, wxPoint(size.x / 2, size.y / 2), button, done);
  }

  // Presses Tab count times and names the control the focus settled in each time, among
  // known; "?" where the toolkit reports no focused window, as it does inside a drop-down
  // entered with Tab.
  using Named = std::vector<std::pair<wxWindow*, std::string>>;
  std::vector<std::string> TabWalk(std::size_t count, const Named& known) {
    std::vector<std::string> reached;
    for (std::size_t i = 0; i < count; ++i) {
      const wxWindow* before = wxWindow::FindFocus();
      simulator_.Char(WXK_TAB);
      Until([&] { return wxWindow::FindFocus() != before; });
      Settle();
      std::string name = wxWindow::FindFocus() ? "other" : "?";
      for (const auto& [window, window_name] : known)
        if (FocusIsIn(window)) name = window_name;
      reached.push_back(name);
    }
    return reached;
  }

  // Whether the keyboard focus is in window or in one of its inner windows.
  static bool FocusIsIn(const wxWindow* window) {
    for (const wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent())
      if (focus == window) return true;
    return false;
  }

 private:
  // Lets the focus settle: on its way it may pass through no window, or through the window
  // that held it, before it arrives.
  static void Settle() {
    const wxWindow* last = wxWindow::FindFocus();
    auto unchanged_since = std::chrono::steady_clock::now();
    Until([&] {
      const auto now = std::chrono::steady_clock::now();
      if (wxWindow::FindFocus() != last) {
        last = wxWindow::FindFocus();
        unchanged_since = now;
      }
      return now - unchanged_since > std::chrono::milliseconds(300);
    }, std::chrono::seconds(3));
  }

  static bool Until(const std::function<bool()>& done,
                    std::chrono::seconds limit = std::chrono::seconds(10)) {
    return WaitFor(done, limit);
  }

  wxUIActionSimulator simulator_;
};

}  // namespace testing_support
