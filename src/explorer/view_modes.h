#pragma once

#include <array>
#include <string_view>

// The file list's four views, shared by the toolbar's buttons and the View submenu: button
// i + 1 and submenu item i are the same view.
namespace explorer {

enum class ViewMode { LargeIcons, SmallIcons, List, Details };

struct ViewChoice {
  std::string_view key;      // what a toolbar button passes
  std::string_view caption;  // the button's and the submenu item's caption
  ViewMode mode;
};

inline constexpr std::array<ViewChoice, 4> kViews{{
    {"icons", "Big icons", ViewMode::LargeIcons},
    {"sicons", "Small icons", ViewMode::SmallIcons},
    {"list", "List", ViewMode::List},
    {"details", "Details", ViewMode::Details},
}};

// Any key but the first three's gives the report view, as "details" does.
ViewMode ModeForKey(std::string_view key);

// Position of the mode's button among the four, which is also its submenu index.
int ViewIndex(ViewMode mode);

}  // namespace explorer
