#include "platform/dialog_parent.h"

#include <wx/toplevel.h>
#include <wx/window.h>

namespace platform {

wxWindow* DialogParent() {
  if (wxWindow* active = wxGetActiveWindow()) {
    if (wxWindow* top = wxGetTopLevelParent(active); top && top->IsShown() && top->IsEnabled()) return top;
  }
  for (auto node = wxTopLevelWindows.GetLast(); node; node = node->GetPrevious()) {
    wxWindow* window = node->GetData();
    if (window->IsShown() && window->IsEnabled() && !window->IsBeingDeleted()) return window;
  }
  return nullptr;
}

}  // namespace platform
