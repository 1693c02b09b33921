// The commands of the context menus: open, cut, copy, paste, delete, properties, trash.
#include "explorer/clipboard_marker.h"
#include "explorer/explorer_window.h"
#include "explorer/menu_ids.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_operations.h"
#include "platform/paths.h"

namespace explorer {
namespace {

namespace operations = platform::file_operations;

void ExplorerMessage(const std::string& text, platform::MessageIcon icon) {
  platform::ShowMessage(text, kExplorerCaption, icon);
}

void SetClipboardText(const std::string& text) {
  if (!platform::clipboard::SetText(text))
    ExplorerMessage("Impossibile scrivere negli appunti: sono occupati da un altro programma.",
                    platform::MessageIcon::Critical);
}

}  // namespace

void frmDir::OnFileMenu(int index) {
  const long selected = SelectedItem();
  if (selected < 0) return;
  const std::string name = lsvFiles->GetItemText(selected).utf8_string();
  const std::string path = SelectedFilePath();
  switch (index) {
    case kOpenItem: OpenFile(path); break;
    case kOpenWithNotepadItem:
      if (!hooks_.openInTextEditor(path))
        ExplorerMessage("Impossibile aprire \"" + path + "\": nessun editor di testo predefinito.",
                        platform::MessageIcon::Critical);
      break;
    case kCutFileItem: PutMarker(name, false); break;
    case kCopyFileItem: PutMarker(name, true); break;
    case kDeleteFileItem:
      ShellDelete(path);
      ShowFiles(trvDir->GetSelection());
      break;
    case kFilePropertiesItem: ShowProperties(path); break;
    default: break;
  }
}

void frmDir::OnRightDirMenu(int index) {
  switch (index) {
    case kRefreshListItem: OnListKeyDown(WXK_F5); break;
    case kPasteInListItem: PasteFromClipboard(); break;
    case kListFolderPropertiesItem: ShowProperties(CurrentFolder()); break;
    default: break;
  }
}

void frmDir::OnLeftDirMenu(int index) {
  switch (index) {
    case kRefreshTreeItem: OnTreeKeyDown(WXK_F5); break;
    case kCutFolderItem: PutMarker("", false); break;
    case kCopyFolderItem: PutMarker("", true); break;
    case kPasteInTreeItem: PasteFromClipboard(); break;
    case kDeleteFolderItem: DeleteCurrentFolder(); break;
    case kFolderPropertiesItem: ShowProperties(CurrentFolder()); break;
    default: break;
  }
}

void frmDir::OnRecycleMenu() { operations::EmptyTrash(hooks_.trashFolders()); }

void frmDir::OpenFile(const std::string& path) {
  if (!hooks_.openFile(path, CurrentFolder()))
    ExplorerMessage("Impossibile aprire \"" + path + "\": nessun programma lo apre.",
                    platform::MessageIcon::Critical);
}

void frmDir::PutMarker(const std::string& name, bool copy) {
  const std::string folder = CurrentFolder();
  const auto marker = MakeMarker(folder, name, copy ? MarkerOperation::Copy : MarkerOperation::Cut);
  if (!marker) {
    ExplorerMessage(std::string("Impossibile ") + (copy ? "copiare" : "tagliare") + " \"" +
                        (name.empty() ? folder : platform::paths::Join(folder, name)) +
                        "\": il percorso contiene il carattere \";\", che gli appunti di " +
                        kExplorerCaption + " non sanno portare.",
                    platform::MessageIcon::Information);
    return;
  }
  SetClipboardText(*marker);
}

void frmDir::PasteFromClipboard() {
  const std::optional<std::string> text = platform::clipboard::Text();
  if (!text) return;
  const std::optional<Marker> marker = ParseMarker(*text);
  if (!marker) return;
  const std::string source = MarkedPath(*marker);
  const operations::Outcome outcome = marker->copy
                                          ? operations::CopyInto(source, CurrentFolder())
                                          : operations::MoveInto(source, CurrentFolder());
  if (outcome == operations::Outcome::Aborted) return;
  if (!marker->name.empty()) {
    // The marker stays: the same file can be pasted again elsewhere.
    OnListKeyDown(WXK_F5);
    return;
  }
  // A folder that did not arrive whole keeps its marker, so the paste can be tried again.
  if (outcome == operations::Outcome::Done) SetClipboardText("");
  OnTreeKeyDown(WXK_F5);
}

void frmDir::ShellDelete(const std::string& path) {
  operations::DeleteItem(path, hooks_.shiftIsDown() ? operations::DeleteMode::Permanently
                                                    : operations::DeleteMode::ToTrash);
}

void frmDir::DeleteCurrentFolder() {
  const wxTreeItemId node = trvDir->GetSelection();
  if (!node.IsOk()) return;
  if (node == trvDir->GetRootItem()) {
    operations::SayCannotDeleteRoot();
    return;
  }
  if (operations::RefuseMountPoint(KeyOf(node))) return;
  ShellDelete(KeyOf(node));
  SelectQuietly(trvDir->GetItemParent(node));
  OnTreeKeyDown(WXK_F5);
}

void frmDir::ShowProperties(const std::string& path) { hooks_.showProperties(path); }

}  // namespace explorer
