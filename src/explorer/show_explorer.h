#pragma once

#include "store/profile_state.h"

namespace explorer {

// Shows the explorer and returns when it closes. Path_Scelto then holds the folder it showed
// last, with a closing "/" ("Conferma" or the close box), or "" ("Annulla").
void ShowExplorerAndWait(store::ProfileState& state);

}  // namespace explorer
