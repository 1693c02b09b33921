#pragma once

#include <string>

class wxWindow;

namespace platform {

// The toolkit's side of ShowDetailedMessage: a modal dialog with the headline, the details in a
// read-only text box with its own scroll bars, and OK (Enter or Escape closes it). However long
// the details, the dialog stays inside the screen its parent is on.
void ShowDetailsDialog(wxWindow* parent, const std::string& headline, const std::string& details,
                       const std::string& title);

}  // namespace platform
