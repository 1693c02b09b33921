#include "app/program_icon.h"

// The desktop entry names the icon; the window manager shows it from there.
void ShowProgramIcon(wxTopLevelWindow&) {}
