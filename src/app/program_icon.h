#pragma once

class wxTopLevelWindow;

// The program's icon on its main window.
void ShowProgramIcon(wxTopLevelWindow& window);
