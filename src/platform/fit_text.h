#pragma once

#include <wx/control.h>

#include <functional>
#include <string>
#include <vector>

// Captions laid out for a narrow face keep fitting their controls in the wider faces of this
// platform: a button's caption breaks onto more lines where it has the height, as the windows'
// buttons always did, and any caption shrinks a little where that is not enough.
namespace platform {

// text broken at runs of spaces into lines no wider than width, as measure tells; a word wider
// than width stays whole on a line of its own.
std::vector<std::string> WrapAtSpaces(const std::string& text, int width,
                                      const std::function<int(const std::string&)>& measure);

// Fits control's caption inside its present size: broken into lines when wrap is true, then
// in a smaller face, never below 6 points, until it fits.
void FitCaption(wxControl& control, bool wrap);

}  // namespace platform
