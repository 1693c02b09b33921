#include "archiver/archive_leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/errno_text.h"
#include "archiver/unique_fd.h"

namespace archiver {

namespace {

constexpr char kLocalHeader[] = "PK\3\4";
constexpr char kEndOfCentralDirectory[] = "PK\5\6";
// The end record is 22 bytes and may be followed by a comment of up to 65,535 bytes.
constexpr std::size_t kEndSearchBytes = 22 + 65535;

// An empty file, or one that starts a ZIP file but never got its end record.
bool IsUnfinishedArchive(int folder_fd, const std::string& name) {
  const UniqueFd fd(::openat(folder_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (info.st_size == 0) return true;
  char start[4];
  if (::pread(fd.get(), start, sizeof start, 0) != sizeof start || std::memcmp(start, kLocalHeader, 4) != 0)
    return false;
  const std::size_t tail_size = std::min<std::size_t>(static_cast<std::size_t>(info.st_size), kEndSearchBytes);
  std::vector<char> tail(tail_size);
  const ssize_t read = ::pread(fd.get(), tail.data(), tail_size, info.st_size - static_cast<off_t>(tail_size));
  if (read != static_cast<ssize_t>(tail_size)) return false;
  return std::search(tail.begin(), tail.end(), kEndOfCentralDirectory, kEndOfCentralDirectory + 4) == tail.end();
}

}  // namespace

bool IsLeftoverName(const std::string& name, const std::string& archive_name) {
  if (name.size() != archive_name.size() + 7 || name.compare(0, archive_name.size(), archive_name) != 0 ||
      name[archive_name.size()] != '.')
    return false;
  return std::all_of(name.end() - 6, name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

void RemoveLeftovers(const std::string& archive, Messages& messages) {
  const std::size_t slash = archive.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : archive.substr(0, std::max<std::size_t>(slash, 1));
  const std::string archive_name = slash == std::string::npos ? archive : archive.substr(slash + 1);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return;  // a missing folder holds no leftovers; opening the archive will say what is wrong
  std::vector<std::string> leftovers;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (IsLeftoverName(name, archive_name) && IsUnfinishedArchive(::dirfd(dir.get()), name)) leftovers.push_back(name);
  }
  for (const std::string& name : leftovers) {
    if (::unlinkat(::dirfd(dir.get()), name.c_str(), 0) != 0)
      messages.Notice("impossibile eliminare il file temporaneo " + folder + "/" + name + ": " + platform::ErrnoText(errno));
  }
}

}  // namespace archiver
