#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/paths.h"
#include "platform/user_error.h"
#include "platform/text.h"
#include "platform/errno_text.h"

namespace platform::files {
namespace {

[[noreturn]] void ThrowWriteError(const std::string& path, int error_number) {
  throw UserError("Impossibile scrivere il file " + path + "\r\n\r\n" + ErrnoText(error_number));
}

bool WriteAll(int fd, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // durability of the rename is best effort; the data itself is synced
  ::fsync(fd);
  ::close(fd);
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool EqualChar(char a, char b, bool ignore_case) {
  if (!ignore_case) return a == b;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return lower(a) == lower(b);
}

}  // namespace

void WriteAtomically(const std::string& path, const std::string& contents) {
  std::string temp = path + ".tmp-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) ThrowWriteError(path, errno);
  // mkstemp makes the file private; a profile is an ordinary document of its user.
  ::fchmod(fd, 0644);
  int error_number = 0;
  if (!WriteAll(fd, contents) || ::fsync(fd) != 0) error_number = errno;
  if (::close(fd) != 0 && error_number == 0) error_number = errno;
  if (error_number == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error_number = errno;
  if (error_number != 0) {
    ::unlink(temp.c_str());
    ThrowWriteError(path, error_number);
  }
  SyncFolder(paths::FolderOf(path));
}

bool ReadLines(const std::string& path, std::size_t max_lines, std::size_t max_line_bytes,
               std::vector<std::string>& lines) {
  lines.clear();
  if (!IsRegularFile(path)) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  std::string line;
  bool in_line = false;
  bool after_cr = false;  // a LF right after a CR belongs to the same line end
  char buffer[64 * 1024];
  std::size_t got;
  while (lines.size() < max_lines && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    for (std::size_t i = 0; i < got && lines.size() < max_lines; ++i) {
      const char c = buffer[i];
      if (c == '\n' && after_cr) {
        after_cr = false;
        continue;
      }
      after_cr = c == '\r';
      if (c == '\r' || c == '\n') {
        lines.push_back(std::move(line));
        line.clear();
        in_line = false;
        continue;
      }
      in_line = true;
      if (line.size() < max_line_bytes) line += c;
    }
  }
  if (in_line && lines.size() < max_lines) lines.push_back(std::move(line));
  return true;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern, bool ignore_case) {
  // Iterative match with one backtrack point for the last "*" seen.
  std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || EqualChar(pattern[p], name[n], ignore_case))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern,
                                   bool ignore_case) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                          &::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (!MatchesWildcard(name, pattern, ignore_case)) continue;
    if (IsRegularFile(paths::Join(folder, name))) names.push_back(std::move(name));
  }
  return names;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void RemoveFile(const std::string& path) {
  if (!IsRegularFile(path)) throw UserError(ErrnoText(ENOENT));
  if (::unlink(path.c_str()) != 0) throw UserError(ErrnoText(errno));
}

}  // namespace platform::files
