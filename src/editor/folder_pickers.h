#pragma once

#include <functional>
#include <vector>

#include "store/profile_state.h"

// The folder pickers the editor's folder field offers. Each one returns when its window has
// closed, leaving the chosen folder in Path_Scelto ("" or unchanged when nothing was chosen).
namespace editor {

struct FolderPicker {
  const char* label;  // its entry in the folder field's context menu
  std::function<void(store::ProfileState&)> choose;
};

// In menu order; the first is the one "Sfoglia / Ricerca" opens.
const std::vector<FolderPicker>& FolderPickers();

}  // namespace editor
