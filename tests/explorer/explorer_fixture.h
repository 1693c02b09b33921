#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explorer/explorer_window.h"
#include "platform/paths.h"
#include "support/memory_clipboard.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_operation_dialogs.h"
#include "support/temp_folder.h"

namespace explorer {

// An explorer whose only drive is a temporary folder. Opening documents, properties, Shift,
// the trash folders and context menus go to recorders instead of the desktop; dialogs and the
// clipboard are scripted doubles.
class ExplorerTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Creates the window, after the test has laid out its files.
  void Open();

  // The temporary folder as the drive's key: no closing separator.
  std::string Root() const;
  // A folder or file below the root, "/" written as the system's separator.
  std::string Key(const std::string& relative) const;
  // Removes a folder or file below the root, as another program would.
  void Remove(const std::string& relative) const;
  wxTreeItemId Node(const std::string& relative) const;
  std::vector<std::string> ChildTexts(const wxTreeItemId& node) const;
  // What the user's click does: selects the node, which shows its files.
  void Click(const std::string& relative);

  std::vector<std::string> ListedNames() const;
  long ItemNamed(const std::string& name) const;
  void SelectFile(const std::string& name);
  wxPoint PointOnItem(long item) const;
  wxPoint PointOnEmptyArea() const;
  std::string LastMenu() const;
  // Every message shown so far as "title | icon | text", icon one of "-", "info", "critical".
  std::vector<std::string> Messages() const;

  testing_support::TempFolder folder;
  store::ProfileState state;
  testing_support::ScriptedDialogs dialogs;
  testing_support::ScriptedOperationDialogs operation_dialogs;
  testing_support::MemoryClipboard clipboard;
  std::vector<platform::drives::Drive> drives;  // the temporary folder when left empty
  std::vector<std::string> opened, opened_in, edited, properties;
  std::vector<std::string> trash_folders;
  std::vector<wxMenu*> menus;
  bool shift_down = false;
  bool documents_open = true;
  frmDir* window = nullptr;
};

}  // namespace explorer
