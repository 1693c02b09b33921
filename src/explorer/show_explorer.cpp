#include "explorer/show_explorer.h"

#include <wx/evtloop.h>
#include <wx/utils.h>

#include "explorer/explorer_window.h"

namespace explorer {

void ShowExplorerAndWait(store::ProfileState& state) {
  wxGUIEventLoop loop;
  ExplorerHooks hooks = DesktopHooks();
  hooks.closed = [&loop] { loop.Exit(); };
  auto* window = new frmDir(state, std::move(hooks));
  // The windows behind wait with us: none of them can open a second explorer meanwhile.
  wxWindowDisabler others(window);
  window->Show();
  loop.Run();
}

}  // namespace explorer
