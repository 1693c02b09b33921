#include <windows.h>

#include "platform/geometry.h"

namespace platform {

// The physical size the display reports is often wrong; Windows lays windows out by the
// logical DPI the user chose, so that is what 1440 twips an inch means here. The program is
// declared system-DPI aware in its manifest: every window is laid out once at this DPI, and on
// a monitor of another scale Windows scales the whole window, captions and all, instead of
// asking for a new layout that these fixed twips positions could not give.
double ScreenDpi() {
  const UINT dpi = ::GetDpiForSystem();
  return dpi > 0 ? static_cast<double>(dpi) : 96.0;
}

}  // namespace platform
