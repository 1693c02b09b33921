#include <wx/gdicmn.h>

#include "platform/geometry.h"

namespace platform {

double ScreenDpi() {
  const wxSize ppi = wxGetDisplayPPI();
  return ppi.GetWidth() > 0 ? ppi.GetWidth() : 96.0;
}

}  // namespace platform
