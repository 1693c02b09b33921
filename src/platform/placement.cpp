#include "platform/placement.h"

#include <wx/display.h>

#include <algorithm>

#include "platform/geometry.h"

namespace platform {
namespace {

// The start of a span of length size inside [first, first + room): wanted, kept inside when
// it fits and at first when it does not.
int KeepInside(int wanted, int size, int first, int room) {
  return std::max(first, std::min(wanted, first + room - size));
}

}  // namespace

wxPoint PlaceNearCentre(const wxRect& display, const wxSize& window_size, const wxPoint& offset) {
  const int left = display.x + (display.width - window_size.x) / 2 + offset.x;
  const int top = display.y + (display.height - window_size.y) / 2 + offset.y;
  return {KeepInside(left, window_size.x, display.x, display.width),
          KeepInside(top, window_size.y, display.y, display.height)};
}

void MoveNearCentre(wxTopLevelWindow& window, int right_twips, int down_twips) {
  const int index = wxDisplay::GetFromWindow(&window);
  const wxRect area =
      wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
  window.Move(PlaceNearCentre(area, window.GetSize(), wxPoint(Px(right_twips), Px(down_twips))));
}

}  // namespace platform
