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

// The shell's codes older than Win32 that a delete can return, and that mean something else
// as system error codes.
const char* ShellCodeText(int code) {
  switch (code) {
    case 0x78: return "Accesso negato";
    case 0x79:
    case 0x81:
    case 0xB7: return "Percorso troppo lungo";
    case 0x7C:
    case 0x402: return "Percorso non valido";
    case 0x86:
    case 0x87:
    case 0x88: return "il supporto è di sola lettura (CD o DVD)";
    default: return nullptr;
  }
}

// The reason behind an HRESULT: the system's text when it wraps a system error code.
std::string ResultText(HRESULT result) {
  if (HRESULT_FACILITY(result) == FACILITY_WIN32)
    return windows::LastErrorText(static_cast<DWORD>(HRESULT_CODE(result)));
  return windows::LastErrorText(static_cast<DWORD>(result));
}

}  // namespace

TrashAttempt TrashOutcome(bool any_aborted, int shell_result) {
  constexpr int kCancelled = 0x75;
  if (any_aborted || shell_result == kCancelled || shell_result == ERROR_CANCELLED)
    return {TrashResult::Declined, {}};
  if (shell_result == 0) return {TrashResult::Trashed, {}};
  if (const char* text = ShellCodeText(shell_result)) return {TrashResult::Failed, text};
  return {TrashResult::Failed, windows::LastErrorText(static_cast<DWORD>(shell_result))};
}

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
  return TrashOutcome(operation.fAnyOperationsAborted != FALSE, result);
}

void EmptyTrashFolders(const std::vector<std::string>&, const std::string& title) {
  // The shell calls emptying an empty recycle bin a failure: there is simply nothing to do.
  if (ItemsInRecycleBin() == 0) return;
  // Every drive's recycle bin, with the shell's own progress; the user has already confirmed.
  const HRESULT result = ::SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION);
  if (FAILED(result)) {
    file_operations::steps::ReportFailure(title, "svuotare", "il cestino", ResultText(result));
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
