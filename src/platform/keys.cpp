#include "platform/keys.h"

#include <wx/utils.h>

namespace platform {

bool ShiftIsDown() { return wxGetKeyState(WXK_SHIFT); }

}  // namespace platform
