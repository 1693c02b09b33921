#include "explorer/view_modes.h"

namespace explorer {

ViewMode ModeForKey(std::string_view key) {
  for (const ViewChoice& view : kViews)
    if (view.key == key) return view.mode;
  return ViewMode::Details;
}

int ViewIndex(ViewMode mode) {
  for (std::size_t i = 0; i < kViews.size(); ++i)
    if (kViews[i].mode == mode) return static_cast<int>(i);
  return static_cast<int>(kViews.size()) - 1;
}

}  // namespace explorer
