#include "editor/folder_pickers.h"

#include "explorer/show_explorer.h"
#include "picker/form4.h"
#include "picker/system_tree_view.h"

namespace editor {

const std::vector<FolderPicker>& FolderPickers() {
  static const std::vector<FolderPicker> pickers = {
      {"Sfoglia nell'albero delle cartelle...",
       [](store::ProfileState& state) { picker::BrowseForFolder(state, picker::shell_tree::kStartFolder); }},
      {"Scegli disco e cartella...", picker::ChooseDriveAndFolder},
      {"Cartoscope, esplora risorse...", explorer::ShowExplorerAndWait},
  };
  return pickers;
}

}  // namespace editor
