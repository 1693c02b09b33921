#pragma once

// Where the explorer window's controls sit, in twips, and how they follow a resize.
namespace explorer::layout {

struct TwipsBox {
  int left, top, width, height;
};

inline constexpr int kClientWidth = 9120;
inline constexpr int kClientHeight = 5355;
// The client area's place on the screen when the window opens.
inline constexpr int kClientLeft = 1620;
inline constexpr int kClientTop = 2190;
// The window's borders and title bar that the resize rule counts in the outer size. Taken as
// fixed so that the layout does not depend on the window manager's decorations.
inline constexpr int kFrameWidth = 120;
inline constexpr int kFrameHeight = 405;

inline constexpr TwipsBox kToolbar{0, 0, 9120, 360};
inline constexpr TwipsBox kDrives{90, 405, 2985, 315};
inline constexpr TwipsBox kLabel{3120, 480, 5655, 255};
inline constexpr TwipsBox kTree{90, 765, 2985, 4515};
inline constexpr TwipsBox kList{3150, 765, 5895, 4230};
inline constexpr TwipsBox kConfirm{6270, 5025, 1185, 300};
inline constexpr TwipsBox kCancel{7785, 5040, 1185, 300};

// What a resize may change; everything else stays as laid out.
struct ResizableParts {
  int tree_height;
  int list_height;
  int list_width;
  int confirm_top;
  int cancel_top;
  int confirm_left;
  int cancel_left;
  bool buttons_visible;
};

inline constexpr ResizableParts kInitialParts{kTree.height,  kList.height,   kList.width,
                                              kConfirm.top,  kCancel.top,    kConfirm.left,
                                              kCancel.left,  true};

// The parts after the window's outer size became outer_width x outer_height (twips, borders
// and title bar included). Not called for a minimised window. Buttons that a short window
// hides stay hidden when they move.
ResizableParts ResizeLayout(const ResizableParts& current, int outer_width, int outer_height);

}  // namespace explorer::layout
