#include "explorer/explorer_fixture.h"

#include <algorithm>
#include <filesystem>

#include "explorer/tree_click.h"
#include "support/gui_helpers.h"

namespace explorer {

void ExplorerTest::TearDown() {
  if (window) testing_support::DestroyNow(window);
}

void ExplorerTest::Open() {
  if (drives.empty()) drives = {{Root(), Root()}};
  ExplorerHooks hooks;
  hooks.listDrives = [this] { return drives; };
  hooks.openFile = [this](const std::string& path, const std::string& in) {
    opened.push_back(path);
    opened_in.push_back(in);
    return documents_open;
  };
  hooks.openInTextEditor = [this](const std::string& path) {
    edited.push_back(path);
    return true;
  };
  hooks.showProperties = [this](const std::string& path) { properties.push_back(path); };
  hooks.shiftIsDown = [this] { return shift_down; };
  hooks.trashFolders = [this] { return trash_folders; };
  hooks.popupMenu = [this](wxMenu& menu) { menus.push_back(&menu); };
  window = new frmDir(state, std::move(hooks));
  window->Show();
  testing_support::PumpEvents();
}

std::string ExplorerTest::Root() const {
  return folder.path().substr(0, folder.path().size() - 1);
}

std::string ExplorerTest::Key(const std::string& relative) const {
  std::string key = Root() + platform::paths::kSeparator + relative;
  std::replace(key.begin(), key.end(), '/', platform::paths::kSeparator);
  return key;
}

void ExplorerTest::Remove(const std::string& relative) const {
  const std::string key = Key(relative);
  std::filesystem::remove_all(std::filesystem::path(std::u8string(key.begin(), key.end())));
}

wxTreeItemId ExplorerTest::Node(const std::string& relative) const {
  return window->NodeByKey(relative.empty() ? Root() : Key(relative));
}

std::vector<std::string> ExplorerTest::ChildTexts(const wxTreeItemId& node) const {
  std::vector<std::string> texts;
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = window->trvDir->GetFirstChild(node, cookie); child.IsOk();
       child = window->trvDir->GetNextChild(node, cookie))
    texts.push_back(window->trvDir->GetItemText(child).utf8_string());
  return texts;
}

void ExplorerTest::Click(const std::string& relative) {
  const wxTreeItemId node = Node(relative);
  ASSERT_TRUE(node.IsOk()) << relative;
  testing_support::SelectAsUser(*window->trvDir, node);
}

std::vector<std::string> ExplorerTest::ListedNames() const {
  std::vector<std::string> names;
  for (long i = 0; i < window->lsvFiles->GetItemCount(); ++i)
    names.push_back(window->lsvFiles->GetItemText(i).utf8_string());
  return names;
}

long ExplorerTest::ItemNamed(const std::string& name) const {
  return window->lsvFiles->FindItem(-1, wxString::FromUTF8(name));
}

void ExplorerTest::SelectFile(const std::string& name) {
  const long item = ItemNamed(name);
  ASSERT_GE(item, 0) << name;
  window->lsvFiles->SetItemState(item, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

wxPoint ExplorerTest::PointOnItem(long item) const {
  wxRect rect;
  window->lsvFiles->GetItemRect(item, rect, wxLIST_RECT_LABEL);
  // The rectangle counts the column header; mouse events come from the area below it.
  int header = 0;
  for (const wxWindow* child : window->lsvFiles->GetChildren())
    header = std::max(header, child->GetPosition().y);
  return rect.GetPosition() + wxPoint(2, 2 - header);
}

wxPoint ExplorerTest::PointOnEmptyArea() const {
  const wxSize size = window->lsvFiles->GetClientSize();
  return wxPoint(size.x - 5, size.y - 40);
}

std::string ExplorerTest::LastMenu() const {
  if (menus.empty()) return "none";
  const wxMenu* menu = menus.back();
  if (menu == window->mnuFile.get()) return "Files";
  if (menu == window->mnuDir1.get()) return "RightDir";
  if (menu == window->mnuDir2.get()) return "LeftDir";
  if (menu == window->mnuDir3.get()) return "DirRecycle";
  return "other";
}

std::vector<std::string> ExplorerTest::Messages() const {
  static const char* const kIcons[] = {"-", "info", "critical"};
  std::vector<std::string> shown;
  for (const auto& call : dialogs.calls())
    if (call.kind == testing_support::ScriptedDialogs::Call::Kind::Message)
      shown.push_back(call.title + " | " + kIcons[static_cast<int>(call.icon)] + " | " + call.text);
  return shown;
}

}  // namespace explorer
