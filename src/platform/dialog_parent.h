#pragma once

class wxWindow;

namespace platform {

// The window a dialog belongs to: the top-level window that asked, which is the active one, or
// without a window manager the newest top-level window that is shown and enabled. The toolkit
// raises a dialog's parent, so parenting to any other window would bury the one that asked.
wxWindow* DialogParent();

}  // namespace platform
