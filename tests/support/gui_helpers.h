#pragma once

#include <wx/app.h>
#include <wx/window.h>

namespace testing_support {

// Lets the toolkit deliver what is pending (size events, CallAfter, repaints).
inline void PumpEvents() {
  for (int i = 0; i < 5; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
  }
}

// Destroys a top-level window now rather than at the next idle time.
inline void DestroyNow(wxWindow* window) {
  window->Destroy();
  PumpEvents();
}

}  // namespace testing_support
