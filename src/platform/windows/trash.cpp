#include "platform/trash.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/drives.h"
#include "platform/file_items.h"
#include "platform/file_operation_steps.h"
#include "platform/paths.h"
#include "platform/windows/wide.h"

namespace platform::trash {
namespace {

// Items in the recycle bins of every drive.
std::optional<std::int64_t> ItemsInRecycleBin() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(::SHQueryRecycleBinW(nullptr, &info))) return std::nullopt;
  return info.i64NumItems;
}

}  // namespace

TrashAttempt MoveToTrash(const std::string& path) {
  // The shell takes a list of names, each ended by a NUL, the list by one more.
  std::wstring from = windows::Widen(path);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  // The user has already confirmed; the shell still asks before deleting for good an item that
  // no recycle bin can take (a network share, a removable disk without one).
  operation.fFlags =
      FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
  const int result = ::SHFileOperationW(&operation);
  if (result != 0)
    return {TrashResult::Failed, windows::LastErrorText(static_cast<DWORD>(result))};
  if (operation.fAnyOperationsAborted) return {TrashResult::Declined, {}};
  return {TrashResult::Trashed, {}};
}

void EmptyTrashFolders(const std::vector<std::string>&, const std::string& title) {
  // The shell calls emptying an empty recycle bin a failure: there is simply nothing to do.
  if (ItemsInRecycleBin() == 0) return;
  // Every drive's recycle bin, with the shell's own progress; the user has already confirmed.
  const HRESULT result = ::SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION);
  if (FAILED(result)) {
    file_operations::steps::ReportFailure(title, "svuotare", "il cestino",
                                          windows::LastErrorText(static_cast<DWORD>(result)));
    return;
  }
  // The shell can report success and still leave items it could not delete (some shells
  // delete only files, never folders).
  const std::optional<std::int64_t> left = ItemsInRecycleBin();
  if (left.value_or(0) == 1)
    file_operations::steps::ReportFailure(title, "svuotare", "il cestino",
                                          "resta un elemento che il sistema non ha eliminato.");
  else if (left.value_or(0) > 1)
    file_operations::steps::ReportFailure(
        title, "svuotare", "il cestino",
        "restano " + std::to_string(*left) + " elementi che il sistema non ha eliminato.");
}

std::vector<std::string> TrashFolders() {
  std::vector<std::string> found;
  for (const drives::Drive& drive : drives::ListDrives()) {
    const std::string folder = paths::Join(drive.mount_point, "$Recycle.Bin");
    if (file_operations::items::FolderProblem(folder) == 0 &&
        std::find(found.begin(), found.end(), folder) == found.end())
      found.push_back(folder);
  }
  return found;
}

}  // namespace platform::trash
