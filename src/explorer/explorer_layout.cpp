#include "explorer/explorer_layout.h"

namespace explorer::layout {

ResizableParts ResizeLayout(const ResizableParts& current, int outer_width, int outer_height) {
  ResizableParts parts = current;
  if (kConfirm.height + 1245 < outer_height) {
    parts.tree_height = outer_height - 1245;
    parts.list_height = outer_height - 1245 - kConfirm.height;
  }
  if (outer_width - kTree.width > 300) parts.list_width = outer_width - kTree.width - 300;
  parts.buttons_visible = kList.top + outer_height > 2370;
  if (parts.buttons_visible) {
    parts.confirm_top = parts.cancel_top = kList.top + outer_height - 1500;
  }
  if (outer_width - parts.list_width - kCancel.width > 1400) {
    parts.confirm_left = outer_width - parts.list_width - kCancel.width + 1100;
    parts.cancel_left = outer_width - parts.list_width + 1100;
  }
  return parts;
}

}  // namespace explorer::layout
