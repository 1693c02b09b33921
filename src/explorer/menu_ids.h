#pragma once

#include <wx/defs.h>

// Command ids of the explorer's menus and toolbar: item i of a menu is its first id + i.
namespace explorer {

inline constexpr int kMenuSpan = 16;
inline constexpr int kFileMenuId = wxID_HIGHEST + 1000;
inline constexpr int kRightDirMenuId = kFileMenuId + kMenuSpan;
inline constexpr int kLeftDirMenuId = kRightDirMenuId + kMenuSpan;
inline constexpr int kRecycleMenuId = kLeftDirMenuId + kMenuSpan;
inline constexpr int kViewMenuId = kRecycleMenuId + kMenuSpan;
inline constexpr int kViewToolId = kViewMenuId + kMenuSpan;

// Positions of the commands in their menus.
enum FileMenuItem { kOpenItem = 0, kOpenWithNotepadItem = 1, kCutFileItem = 3, kCopyFileItem = 4,
                    kDeleteFileItem = 6, kFilePropertiesItem = 8 };
enum RightDirMenuItem { kViewItem = 0, kRefreshListItem = 2, kPasteInListItem = 4,
                        kListFolderPropertiesItem = 6 };
enum LeftDirMenuItem { kRefreshTreeItem = 0, kCutFolderItem = 2, kCopyFolderItem = 3,
                       kPasteInTreeItem = 4, kDeleteFolderItem = 6, kFolderPropertiesItem = 8 };

}  // namespace explorer
