#include "app/program_icon.h"

#include <wx/iconbndl.h>
#include <wx/toplevel.h>

#include <windows.h>

// The icon resource "faldone" (windows/faldone.rc.in), every size it holds, for the caption and
// the taskbar alike.
void ShowProgramIcon(wxTopLevelWindow& window) {
  window.SetIcons(wxIconBundle("faldone", ::GetModuleHandleW(nullptr)));
}
