#pragma once

class wxDialog;

namespace testing_support {

// Closes a message box the toolkit shows through the system, as its Cancel would.
void CloseToolkitMessageBox(wxDialog& dialog);

// Whether dialog (or a message box shown through the system) is on screen with the keyboard.
bool DialogHasTheKeyboard(const wxDialog& dialog);

}  // namespace testing_support
