#include "archiver/source_tree.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "archiver/entry_name.h"
#include "archiver/item_error.h"
#include "archiver/windows/win32.h"
#include "platform/reparse_tags.h"
#include "platform/windows/reparse_tag.h"

namespace archiver {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Child {
  std::string name;
  DWORD attributes;
  DWORD reparse_tag;  // 0 unless attributes has FILE_ATTRIBUTE_REPARSE_POINT
  FILETIME written;
  std::uint64_t size;
  std::uint64_t file_id;
};

std::string Join(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

FileHandle OpenFolder(const std::string& path, bool follow_link) {
  constexpr DWORD kAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
  const std::string what = "impossibile leggere la cartella " + path;
  if (!follow_link) return win32::OpenAsShown(win32::LongPath(path), kAccess, FILE_FLAG_BACKUP_SEMANTICS, what);
  const HANDLE handle = ::CreateFileW(win32::LongPath(path).c_str(), kAccess, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) win32::ThrowLastError(what);
  return win32::Own(handle);
}

std::uint64_t VolumeOf(const FileHandle& file, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(win32::Native(file), &info))
    win32::ThrowLastError("impossibile leggere la cartella " + path);
  return info.dwVolumeSerialNumber;
}

// Reads a folder's entries with their attributes, times and file numbers, through one handle
// opened without following a reparse point (but for the folder the user chose).
std::vector<Child> ReadFolder(const FileHandle& folder, const std::string& path) {
  std::vector<Child> children;
  std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t));  // aligned as the records need
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  for (;;) {
    if (!::GetFileInformationByHandleEx(win32::Native(folder), kind, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t)))) {
      if (::GetLastError() == ERROR_NO_MORE_FILES) break;
      win32::ThrowLastError("impossibile leggere la cartella " + path);
    }
    kind = FileIdBothDirectoryInfo;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
    for (;;) {
      const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
      const std::string name = win32::Narrow({record->FileName, record->FileNameLength / sizeof(wchar_t)});
      if (name != "." && name != "..") {
        const FILETIME written{record->LastWriteTime.LowPart, static_cast<DWORD>(record->LastWriteTime.HighPart)};
        // For a reparse point the record's EaSize holds its tag.
        const DWORD tag = (record->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                              ? platform::windows::KnownReparseTag(record->EaSize)
                              : 0;
        children.push_back({name, record->FileAttributes, tag, written,
                            static_cast<std::uint64_t>(record->EndOfFile.QuadPart),
                            static_cast<std::uint64_t>(record->FileId.QuadPart)});
      }
      if (record->NextEntryOffset == 0) break;
      bytes += record->NextEntryOffset;
    }
  }
  std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.name < b.name; });
  return children;
}

// Windows keeps permissions in access rules; the entry gets what a Unix tool would show for
// the read-only attribute, so that a restore on Linux gives a read-only file back read-only.
SourceItem ItemFor(const std::string& path, DWORD attributes, const FILETIME& written, std::uint64_t size) {
  SourceItem item;
  item.path = path;
  item.name = WindowsEntryName(path);
  item.mtime = win32::UnixSeconds(written);
  item.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    item.kind = EntryKind::kFolder;
    item.permissions = 0755;
    if (!item.name.empty()) item.name += '/';
  } else {
    item.permissions = attributes & FILE_ATTRIBUTE_READONLY ? 0444 : 0644;
    item.size = size;
  }
  return item;
}

class TreeLister {
 public:
  TreeLister(const std::vector<FileIdentity>& skip, Messages& messages) : skip_(skip), messages_(messages) {}

  void ListContents(const std::string& folder, bool follow_link) {
    const FileHandle handle = OpenFolder(folder, follow_link);
    const std::uint64_t volume = VolumeOf(handle, folder);
    for (const Child& child : ReadFolder(handle, folder)) {
      const std::string path = Join(folder, child.name);
      // Junctions and symbolic links may lead anywhere, even back up: never followed. Every
      // other reparse point (a OneDrive placeholder, a deduplicated file) is what it shows.
      if (platform::LeadsElsewhere(child.reparse_tag)) {
        messages_.Notice("salto " + path + ": è un collegamento o una giunzione, che non seguo");
        continue;
      }
      if (std::find(skip_.begin(), skip_.end(), FileIdentity{volume, child.file_id}) != skip_.end()) continue;
      items_.push_back(ItemFor(path, child.attributes, child.written, child.size));
      if (child.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        try {
          ListContents(path, false);
        } catch (const ItemError& error) {
          messages_.Failure(error.what());
        }
      }
    }
  }

  std::vector<SourceItem> Take() { return std::move(items_); }
  void Add(SourceItem item) { items_.push_back(std::move(item)); }

 private:
  const std::vector<FileIdentity>& skip_;
  Messages& messages_;
  std::vector<SourceItem> items_;
};

// A drive root or a share ("\\server\dati\"): it has no entry of its own.
bool IsDriveRoot(const std::string& folder) { return WindowsEntryName(folder).empty(); }

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const HANDLE handle = ::CreateFileW(win32::LongPath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const FileHandle file = win32::Own(handle);
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

SourceItem ListItem(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(win32::LongPath(path).c_str(), GetFileExInfoStandard, &data))
    win32::ThrowLastError("impossibile leggere " + path);
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
      platform::LeadsElsewhere(win32::ReparseTagAt(win32::LongPath(path))))
    throw ItemError("impossibile leggere " + path + ": è un collegamento o una giunzione");
  return ItemFor(path, data.dwFileAttributes, data.ftLastWriteTime,
                 (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

std::vector<SourceItem> ListTree(const std::string& folder, const std::vector<FileIdentity>& skip, Messages& messages) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(win32::LongPath(folder).c_str(), GetFileExInfoStandard, &data))
    win32::ThrowLastError("impossibile leggere la cartella " + folder);
  if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    ThrowSystemError("impossibile leggere la cartella " + folder, ENOTDIR);
  TreeLister lister(skip, messages);
  // The folder chosen by the user may itself be reached through a link; below it none is followed.
  if (!IsDriveRoot(folder)) lister.Add(ItemFor(folder, data.dwFileAttributes, data.ftLastWriteTime, 0));
  lister.ListContents(folder, true);
  return lister.Take();
}

}  // namespace archiver
