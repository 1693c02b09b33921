#pragma once

namespace platform {

// Whether a Shift key is held down right now (asked of the keyboard, not of an event).
bool ShiftIsDown();

}  // namespace platform
