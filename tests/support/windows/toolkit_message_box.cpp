#include "support/toolkit_message_box.h"

#include <wx/dialog.h>

#include <windows.h>

namespace testing_support {
namespace {

// The system's message boxes are dialogs of class "#32770" owned by the thread that shows them.
BOOL CALLBACK CancelMessageBox(HWND window, LPARAM) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(window))
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return TRUE;
}

}  // namespace

void CloseToolkitMessageBox(wxDialog&) {
  ::EnumThreadWindows(::GetCurrentThreadId(), CancelMessageBox, 0);
}

bool DialogHasTheKeyboard(const wxDialog& dialog) {
  const HWND active = ::GetActiveWindow();
  if (!active || !::IsWindowVisible(active)) return false;
  wchar_t name[16] = {};
  ::GetClassNameW(active, name, 16);
  return active == static_cast<HWND>(dialog.GetHandle()) || std::wstring_view(name) == L"#32770";
}

}  // namespace testing_support
