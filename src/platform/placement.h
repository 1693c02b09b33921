#pragma once

#include <wx/gdicmn.h>
#include <wx/toplevel.h>

// Where a window opens: some windows open a fixed distance away from the centred position.
namespace platform {

// The top-left corner of a window of window_size placed centred on display, then moved by
// offset (pixels; right and down are positive), and pushed back inside display as far as it
// fits so that a small screen never hides the window's title bar.
wxPoint PlaceNearCentre(const wxRect& display, const wxSize& window_size, const wxPoint& offset);

// Moves window there on the screen it is on, the offset given in twips.
void MoveNearCentre(wxTopLevelWindow& window, int right_twips, int down_twips);

}  // namespace platform
