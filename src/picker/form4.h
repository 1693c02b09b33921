#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>

#include <vector>

#include "platform/drives.h"
#include "platform/folder_tree.h"
#include "store/profile_state.h"

namespace picker {

inline constexpr const char* kDriveAndFolderCaption = "Selezione cartella da salvare";

// The drive and directory picker: a drive list over a folder list. It opens at Path_Scelto
// and hands back the folder the user confirms, without a closing separator, in Path_Scelto.
class Form4 : public wxDialog {
 public:
  explicit Form4(store::ProfileState& state);

  void OnDriveChange();  // Drive1
  void OnConfirm();      // Command1 "Conferma"
  void OnCancel();       // Command2 "Annulla"

  // The mount point of the drive Drive1 shows.
  const std::string& ShownDrive() const;

  wxChoice* Drive1 = nullptr;
  platform::FolderTree* Dir1 = nullptr;
  wxButton* Command1 = nullptr;
  wxButton* Command2 = nullptr;

 private:
  void BuildControls();
  // Shows folder and the drive holding it; false when the list has no folder to show for it.
  bool ShowFolder(const std::string& folder);

  store::ProfileState& state_;
  std::vector<platform::drives::Drive> drives_;
  int shown_drive_ = 0;
};

// Shows Form4 and returns when it has closed.
void ChooseDriveAndFolder(store::ProfileState& state);

}  // namespace picker
