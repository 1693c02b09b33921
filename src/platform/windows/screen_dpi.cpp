#include <windows.h>

#include "platform/geometry.h"

namespace platform {

// The physical size the display reports is often wrong; Windows lays windows out by the
// logical DPI the user chose, so that is what 1440 twips an inch means here.
double ScreenDpi() {
  const UINT dpi = ::GetDpiForSystem();
  return dpi > 0 ? static_cast<double>(dpi) : 96.0;
}

}  // namespace platform
