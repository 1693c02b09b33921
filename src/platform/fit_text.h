#pragma once

#include <wx/control.h>

#include <functional>
#include <string>
#include <vector>

// Captions laid out for a narrow face keep fitting their controls in the wider faces of this
// platform: a button's caption breaks onto more lines where it has the height, as the windows'
// buttons always did, and any caption shrinks a little (never below 8 points, still legible)
// or takes free room beside it where that is not enough.
namespace platform {

// text broken at runs of spaces into lines no wider than width, as measure tells; a word wider
// than width stays whole on a line of its own.
std::vector<std::string> WrapAtSpaces(const std::string& text, int width,
                                      const std::function<int(const std::string&)>& measure);

// Fits control's caption inside its present size: broken into lines when wrap is true, then
// in a smaller face, never below 8 points. A one-line caption that still does not fit takes
// the width it needs from room (where it may lie in its parent: the free space the window
// gives around it), moving left where room ends before the caption would.
void FitCaption(wxControl& control, bool wrap, const wxRect& room);
inline void FitCaption(wxControl& control, bool wrap) {
  FitCaption(control, wrap, control.GetRect());
}

}  // namespace platform
