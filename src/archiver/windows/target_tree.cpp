#include "archiver/target_tree.h"

#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <vector>

#include "archiver/item_error.h"
#include "archiver/restore_leftovers.h"
#include "archiver/utf8_path.h"
#include "archiver/windows/win32.h"
#include "platform/reparse_tags.h"
#include "platform/windows/system_error.h"
#include "platform/errno_text.h"

namespace archiver {

namespace {

// Held without FILE_SHARE_DELETE, a folder cannot be renamed, removed or replaced by a
// junction while the restore works below it.
constexpr DWORD kPinningShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

using FolderId = std::pair<std::uint64_t, std::uint64_t>;

FolderId IdentityOf(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION info{};
  ::GetFileInformationByHandle(folder, &info);
  return {info.dwVolumeSerialNumber, (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

DWORD AttributesOf(HANDLE file) {
  FILE_BASIC_INFO basic{};
  return ::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ? basic.FileAttributes : 0;
}

// Whether the folder opened at path is a junction or a link, asked of the handle and of the
// name; a OneDrive folder and the other reparse points that are what they show are written into.
bool LeadsElsewhere(HANDLE folder, const std::wstring& path, DWORD attributes_by_name) {
  if (attributes_by_name != INVALID_FILE_ATTRIBUTES && (attributes_by_name & FILE_ATTRIBUTE_REPARSE_POINT) &&
      platform::LeadsElsewhere(win32::ReparseTagAt(path)))
    return true;
  return (AttributesOf(folder) & FILE_ATTRIBUTE_REPARSE_POINT) && platform::LeadsElsewhere(win32::ReparseTagOf(folder));
}

bool SetTime(HANDLE file, ModificationTime mtime) {
  const FILETIME time = win32::FileTimeOf(mtime.seconds, mtime.ticks);
  return ::SetFileTime(file, nullptr, nullptr, &time) != 0;
}

// Removes a temporary file of a restore that is no longer running. One still being written is
// held open without FILE_SHARE_DELETE by its restore, and refuses to go.
DWORD RemoveIfAbandoned(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
  if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(path.c_str())  // a folder link
                                                               : ::DeleteFileW(path.c_str());
  const DWORD error = removed ? ERROR_SUCCESS : ::GetLastError();
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (error != ERROR_SUCCESS && (attributes & FILE_ATTRIBUTE_READONLY)) ::SetFileAttributesW(path.c_str(), attributes);
  return error;
}

}  // namespace

struct TargetTree::State {
  State(const std::string& target, Messages& messages)
      : target(target), messages(messages), random(std::random_device()()) {}

  std::string Shown(const Components& path, std::size_t depth) const {
    std::string shown = target;
    for (std::size_t i = 0; i < depth; ++i) shown += (shown.empty() || shown.back() != '\\' ? "\\" : "") + path[i];
    return shown;
  }

  std::wstring WidePath(const Components& path, std::size_t depth) const {
    std::wstring wide = root_path;
    for (std::size_t i = 0; i < depth; ++i) wide = win32::Join(wide, win32::Widen(path[i]));
    return wide;
  }

  // Opens (creating when asked) the folders down to the first depth components, each without
  // following a reparse point, and keeps them open until the next call: their full path stays
  // theirs meanwhile. Returns that path. Throws ItemError.
  std::wstring OpenFolder(const Components& path, std::size_t depth, bool create) {
    std::string key;
    for (std::size_t i = 0; i < depth; ++i) key += path[i] + '/';
    if (depth == 0) return root_path;
    if (!chain.empty() && key == cached_key) return WidePath(path, depth);
    chain.clear();
    cached_key.clear();

    std::vector<FileHandle> opened;
    for (std::size_t i = 0; i < depth; ++i) {
      const std::wstring wide = WidePath(path, i + 1);
      bool made = false;
      if (create && ::CreateDirectoryW(wide.c_str(), nullptr)) made = true;
      else if (create && ::GetLastError() != ERROR_ALREADY_EXISTS)
        win32::ThrowLastError("impossibile creare la cartella " + Shown(path, i + 1));
      const HANDLE handle =
          ::CreateFileW(wide.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kPinningShare, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
      if (handle == INVALID_HANDLE_VALUE) win32::ThrowLastError("impossibile aprire la cartella " + Shown(path, i + 1));
      FileHandle folder = win32::Own(handle);
      // Held open, the folder can no longer be swapped for a link. Its attributes are asked of the
      // handle and of the name: Wine opens the target of a folder link whatever the flags say.
      const DWORD by_name = ::GetFileAttributesW(wide.c_str());
      const DWORD attributes = AttributesOf(handle) | (by_name == INVALID_FILE_ATTRIBUTES ? 0 : by_name);
      if (LeadsElsewhere(handle, wide, by_name))
        throw ItemError("rifiuto di scrivere attraverso il collegamento o la giunzione " + Shown(path, i + 1));
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        ThrowSystemError("impossibile aprire la cartella " + Shown(path, i + 1), ENOTDIR);
      if (made) {
        created.insert(IdentityOf(handle));
        swept.insert(IdentityOf(handle));
      }
      opened.push_back(std::move(folder));
    }
    chain = std::move(opened);
    cached_key = key;
    return WidePath(path, depth);
  }

  HANDLE Deepest() const { return chain.empty() ? win32::Native(root) : win32::Native(chain.back()); }

  // The folder that will hold path's last component, created when missing and cleared of
  // abandoned temporary files.
  std::wstring OpenFolderForNewItem(const Components& path) {
    const std::wstring folder = OpenFolder(path, path.size() - 1, true);
    if (swept.insert(IdentityOf(Deepest())).second) RemoveAbandonedTemporaries(folder, Shown(path, path.size() - 1));
    return folder;
  }

  void RemoveAbandonedTemporaries(const std::wstring& folder, const std::string& shown_folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileExW(win32::Join(folder, L".archivia-*").c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> names;
    do {
      if (IsTemporaryName(win32::Narrow(found.cFileName))) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    for (const std::wstring& name : names) {
      if (const DWORD error = RemoveIfAbandoned(win32::Join(folder, name)))
        messages.Notice("impossibile eliminare il file temporaneo " + shown_folder +
                        (shown_folder.back() == '\\' ? "" : "\\") + win32::Narrow(name) + ": " +
                        platform::ErrnoText(platform::windows::ErrnoFromSystemError(error)));
    }
  }

  // A new temporary name in folder, from the restore's own random letters.
  std::wstring TemporaryIn(const std::wstring& folder) { return win32::Join(folder, win32::Widen(NewTemporaryName(random))); }

  std::string target;
  Messages& messages;
  std::wstring root_path;
  FileHandle root;
  std::string cached_key;  // the components of the chain's last folder, joined
  std::vector<FileHandle> chain;
  std::set<FolderId> created;  // by this restore
  std::set<FolderId> swept;    // of abandoned temporary files, or created empty
  std::mt19937_64 random;
  std::vector<std::uint8_t> comparison = std::vector<std::uint8_t>(256 * 1024);  // of a file already there
};

TargetTree::TargetTree(const std::string& target, Messages& messages)
    : state_(std::make_unique<State>(target, messages)) {
  State& state = *state_;
  state.root_path = win32::LongPath(target);
  while (state.root_path.size() > 7 && state.root_path.back() == L'\\' && state.root_path[state.root_path.size() - 2] != L':')
    state.root_path.pop_back();
  std::error_code error;
  std::filesystem::create_directories(PathFromUtf8(target), error);
  if (error) ThrowSystemError("impossibile creare la cartella di destinazione " + target, error.value());
  // The target itself is the user's choice and may be reached through a link.
  const HANDLE root = ::CreateFileW(state.root_path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kPinningShare,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (root == INVALID_HANDLE_VALUE) win32::ThrowLastError("impossibile aprire la cartella di destinazione " + target);
  state.root = win32::Own(root);
  if (!(AttributesOf(root) & FILE_ATTRIBUTE_DIRECTORY))
    ThrowSystemError("impossibile aprire la cartella di destinazione " + target, ENOTDIR);
  while (state.target.size() > 1 && (state.target.back() == '\\' || state.target.back() == '/') &&
         state.target[state.target.size() - 2] != ':')
    state.target.pop_back();
}

TargetTree::~TargetTree() = default;

std::string TargetTree::Shown(const Components& path, std::size_t depth) const { return state_->Shown(path, depth); }

void TargetTree::MakeFolder(const Components& path) { state_->OpenFolder(path, path.size(), true); }

void TargetTree::Finish() {}  // each file has its final name when PlaceFile returns

bool TargetTree::HoldsAlready(const Components& path, const ItemMetadata& metadata, const std::uint8_t* data,
                              std::size_t size) {
  const std::wstring folder = state_->OpenFolderForNewItem(path);
  const HANDLE handle = ::CreateFileW(win32::Join(folder, win32::Widen(path.back())).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const FileHandle file = win32::Own(handle);
  // Besides the attributes a restore sets, none that would make the file anything but plain
  // data on this disk: a link, or a cloud file whose reading would download it.
  constexpr DWORD kRecallOnOpen = 0x40000, kRecallOnDataAccess = 0x400000;
  constexpr DWORD kCompared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY |
                              FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_OFFLINE | kRecallOnOpen | kRecallOnDataAccess;
  const DWORD wanted = (metadata.permissions & kOwnerWrite ? 0 : FILE_ATTRIBUTE_READONLY) |
                       (metadata.hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
  const FILETIME mtime = win32::FileTimeOf(metadata.mtime.seconds, metadata.mtime.ticks);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & kCompared) != wanted ||
      ((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) != size ||
      info.ftLastWriteTime.dwLowDateTime != mtime.dwLowDateTime ||
      info.ftLastWriteTime.dwHighDateTime != mtime.dwHighDateTime)
    return false;
  std::vector<std::uint8_t>& buffer = state_->comparison;
  for (std::size_t done = 0;;) {
    DWORD read = 0;
    if (!::ReadFile(handle, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return false;
    if (read == 0) return done == size;
    if (read > size - done || std::memcmp(buffer.data(), data + done, read) != 0) return false;
    done += read;
  }
}

void TargetTree::PlaceFile(const Components& path, const ItemMetadata& metadata,
                           const std::function<void(const FileHandle& file, const std::string& shown_path)>& write) {
  const std::string shown = Shown(path, path.size());
  const std::wstring folder = state_->OpenFolderForNewItem(path);
  const std::wstring final_path = win32::Join(folder, win32::Widen(path.back()));
  std::wstring temporary;
  FileHandle file;
  while (!file.valid()) {
    temporary = state_->TemporaryIn(folder);
    // Not shared for deleting: another restore's sweep leaves it alone while it is written.
    const HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
      win32::ThrowLastError("impossibile scrivere " + shown);
    if (handle != INVALID_HANDLE_VALUE) file = win32::Own(handle);
  }
  try {
    write(file, shown);
    if (!SetTime(win32::Native(file), metadata.mtime)) win32::ThrowLastError("impossibile scrivere " + shown);
    file.Reset();
    const DWORD wanted = (metadata.permissions & kOwnerWrite ? 0 : FILE_ATTRIBUTE_READONLY) |
                         (metadata.hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
    if (wanted != 0 && !::SetFileAttributesW(temporary.c_str(), wanted))
      win32::ThrowLastError("impossibile scrivere " + shown);
    // A read-only file refuses to be replaced; the restore replaces existing files as Linux does.
    const DWORD existing = ::GetFileAttributesW(final_path.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) &&
        !(existing & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
      ::SetFileAttributesW(final_path.c_str(), existing & ~FILE_ATTRIBUTE_READONLY);
    if (!::MoveFileExW(temporary.c_str(), final_path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      const DWORD error = ::GetLastError();
      if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(final_path.c_str(), existing);
      ::SetLastError(error);
      win32::ThrowLastError("impossibile scrivere " + shown);
    }
  } catch (...) {
    file.Reset();
    ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temporary.c_str());
    throw;
  }
}

void TargetTree::PlaceLink(const Components& path, const std::string& link_target, ModificationTime mtime) {
  const std::string shown = Shown(path, path.size());
  const std::wstring folder = state_->OpenFolderForNewItem(path);
  std::wstring target = win32::Widen(link_target);
  for (wchar_t& c : target)
    if (c == L'/') c = L'\\';
  // Windows makes file links and folder links; what the target is now decides, as it would for
  // the tools that make them.
  const DWORD target_attributes = ::GetFileAttributesW(win32::Join(folder, target).c_str());
  const DWORD kind = target_attributes != INVALID_FILE_ATTRIBUTES && (target_attributes & FILE_ATTRIBUTE_DIRECTORY)
                         ? SYMBOLIC_LINK_FLAG_DIRECTORY
                         : 0;
  std::wstring temporary = state_->TemporaryIn(folder);
  while (!::CreateSymbolicLinkW(temporary.c_str(), target.c_str(), kind | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    if (::GetLastError() != ERROR_ALREADY_EXISTS) win32::ThrowLastError("impossibile creare il collegamento " + shown);
    temporary = state_->TemporaryIn(folder);
  }
  const HANDLE link = ::CreateFileW(temporary.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  const bool timed = link != INVALID_HANDLE_VALUE && SetTime(link, mtime);
  if (link != INVALID_HANDLE_VALUE) ::CloseHandle(link);
  if (!timed || !::MoveFileExW(temporary.c_str(), win32::Join(folder, win32::Widen(path.back())).c_str(),
                               MOVEFILE_REPLACE_EXISTING)) {
    const DWORD error = ::GetLastError();
    if (kind) ::RemoveDirectoryW(temporary.c_str());
    else ::DeleteFileW(temporary.c_str());
    ::SetLastError(error);
    win32::ThrowLastError("impossibile creare il collegamento " + shown);
  }
}

void TargetTree::SetFolderMetadata(const Components& path, const ItemMetadata& metadata) {
  const std::wstring folder = state_->OpenFolder(path, path.size(), false);
  const bool ours = state_->created.count(IdentityOf(state_->Deepest())) > 0;
  const std::string what = "impossibile impostare data e attributi di " + Shown(path, path.size());
  // The folder's own handle in the chain cannot write attributes; the chain keeps the path its own.
  const HANDLE handle = ::CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) win32::ThrowLastError(what);
  const FileHandle owned = win32::Own(handle);
  if (!SetTime(handle, metadata.mtime)) win32::ThrowLastError(what);
  // The read-only attribute means nothing to a Windows folder; only hidden is kept.
  if (ours && metadata.hidden) {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = AttributesOf(handle) | FILE_ATTRIBUTE_HIDDEN;
    if (!::SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic)) win32::ThrowLastError(what);
  }
}

}  // namespace archiver
