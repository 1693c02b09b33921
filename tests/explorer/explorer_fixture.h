#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "explorer/explorer_window.h"
#include "explorer/menu_ids.h"
#include "platform/paths.h"
#include "support/gui_helpers.h"
#include "support/memory_clipboard.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_operation_dialogs.h"
#include "support/temp_folder.h"
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

#include "platform/windows/wide.h"
#endif

namespace explorer {

using Names = std::vector<std::string>;

// An explorer whose only drive is a temporary folder; the desktop, dialogs and clipboard are doubles.
struct ExplorerTest : ::testing::Test {
  void TearDown() override { if (window) testing_support::DestroyNow(window); }

  // Creates the window, after the test has laid out its files.
  void Open() {
    if (drives.empty()) drives = {{Root(), Root()}};
    ExplorerHooks hooks;
    hooks.listDrives = [this] { return drives; };
    hooks.openFile = [this](const std::string& path, const std::string& in) {
      return opened.push_back(path + " in " + in), documents_open;
    };
    hooks.openInTextEditor = [this](const std::string& path) { return edited.push_back(path), true; };
    hooks.showProperties = [this](const std::string& path) { properties.push_back(path); };
    hooks.shiftIsDown = [this] { return shift_down; };
    hooks.trashFolders = [this] { return trash_folders; };
    hooks.popupMenu = [this](wxMenu& menu) { menus.push_back(&menu); };
    window = new frmDir(state, std::move(hooks));
    window->Show();
    testing_support::PumpEvents();
  }

  // The drive's key has no closing separator; below it "/" is the system's separator.
  std::string Root() const { return folder.path().substr(0, folder.path().size() - 1); }
  std::string Key(const std::string& relative) const {
    std::string key = Root() + platform::paths::kSeparator + relative;
    std::replace(key.begin(), key.end(), '/', platform::paths::kSeparator);
    return key;
  }
  // As another program would.
  void Remove(const std::string& relative) const { std::filesystem::remove_all(testing_support::PathOf(Key(relative))); }
  wxTreeItemId Node(const std::string& relative) const {
    return window->NodeByKey(relative.empty() ? Root() : Key(relative));
  }
  Names ChildTexts(const wxTreeItemId& node) const {
    Names texts;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = window->trvDir->GetFirstChild(node, cookie); child.IsOk();
         child = window->trvDir->GetNextChild(node, cookie))
      texts.push_back(window->trvDir->GetItemText(child).utf8_string());
    return texts;
  }
  // As a user's click: wx's SelectItem on Windows reports inside a guard our handler trips over.
  void Click(const std::string& relative) {
    const wxTreeItemId node = Node(relative);
    ASSERT_TRUE(node.IsOk()) << relative;
#ifdef _WIN32
    ::SendMessageW(static_cast<HWND>(window->trvDir->GetHWND()), TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(node.GetID()));
#else
    window->trvDir->SelectItem(node);
#endif
  }

  Names ListedNames() const {
    Names names;
    for (long i = 0; i < window->lsvFiles->GetItemCount(); ++i)
      names.push_back(window->lsvFiles->GetItemText(i).utf8_string());
    return names;
  }
  long ItemNamed(const std::string& name) const {
    return window->lsvFiles->FindItem(-1, wxString::FromUTF8(name));
  }
  void SelectFile(const std::string& name) {
    ASSERT_GE(ItemNamed(name), 0) << name;
    window->lsvFiles->SetItemState(ItemNamed(name), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  }
  wxPoint PointOnItem(long item) const {
    wxRect rect;
    window->lsvFiles->GetItemRect(item, rect, wxLIST_RECT_LABEL);
    // The rectangle counts the column header; mouse events come from the area below it.
    int header = 0;
    for (const wxWindow* child : window->lsvFiles->GetChildren())
      header = std::max(header, child->GetPosition().y);
    return rect.GetPosition() + wxPoint(2, 2 - header);
  }
  wxPoint PointOnEmptyArea() const {
    const wxSize size = window->lsvFiles->GetClientSize();
    return wxPoint(size.x - 5, size.y - 40);
  }
  std::string LastMenu() const {
    const wxMenu* menu = menus.empty() ? nullptr : menus.back();
    if (menu == window->mnuFile.get()) return "Files";
    if (menu == window->mnuDir1.get()) return "RightDir";
    if (menu == window->mnuDir2.get()) return "LeftDir";
    return menu == window->mnuDir3.get() ? "DirRecycle" : "none";
  }
  // Every message shown so far as "title | icon | text", icon one of "-", "info", "critical".
  Names Messages() const {
    static const char* const kIcons[] = {"-", "info", "critical"};
    Names shown;
    for (const auto& call : dialogs.calls())
      if (call.kind == testing_support::ScriptedDialogs::Call::Kind::Message)
        shown.push_back(call.title + " | " + kIcons[static_cast<int>(call.icon)] + " | " + call.text);
    return shown;
  }

  testing_support::TempFolder folder;
  store::ProfileState state;
  testing_support::ScriptedDialogs dialogs;
  testing_support::ScriptedOperationDialogs operation_dialogs;
  testing_support::MemoryClipboard clipboard;
  std::vector<platform::drives::Drive> drives;  // the temporary folder when left empty
  Names opened, edited, properties, trash_folders;  // opened: "path in folder"
  std::vector<wxMenu*> menus;
  bool shift_down = false;
  bool documents_open = true;
  frmDir* window = nullptr;
};

}  // namespace explorer
