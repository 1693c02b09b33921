#pragma once

class wxDialog;

namespace testing_support {

// Closes a message box that the toolkit shows through the system itself (no modal loop of the
// toolkit's own to end), as its Cancel or close box would.
void CloseToolkitMessageBox(wxDialog& dialog);

// Whether dialog, one of the toolkit's own or a message box it shows through the system, is on
// screen and holds the keyboard: a key pressed now reaches it.
bool DialogHasTheKeyboard(const wxDialog& dialog);

}  // namespace testing_support
