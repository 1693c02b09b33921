// Copy and move of one file or folder into a folder.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/file_operation_steps.h"
#include "platform/file_operations.h"
#include "platform/paths.h"
#include "platform/unique_fd.h"

namespace platform::file_operations {
namespace {

using steps::Progress;
using steps::ReportFailure;

constexpr std::size_t kChunkBytes = 1 << 20;

// A file beside its final place, removed unless it was renamed into that place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& final_path)
      : path_(paths::Join(paths::FolderOf(final_path), ".faldone-copia-XXXXXX")),
        fd_(::mkstemp(path_.data())) {}
  ~TemporaryFile() {
    if (!placed_ && fd_.get() >= 0) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  UniqueFd& fd() { return fd_; }
  const std::string& path() const { return path_; }
  [[nodiscard]] bool PlaceAt(const std::string& final_path) {
    placed_ = ::rename(path_.c_str(), final_path.c_str()) == 0;
    return placed_;
  }

 private:
  std::string path_;
  UniqueFd fd_;
  bool placed_ = false;
};

// The last name of a path without closing separators.
std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of(paths::kSeparator);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

bool IsSameOrInside(const std::string& folder, const std::string& candidate) {
  const std::string outer = RealPath(folder);
  const std::string inner = RealPath(candidate);
  if (outer.empty() || inner.empty()) return false;
  return outer == "/" || inner == outer || inner.rfind(outer + paths::kSeparator, 0) == 0;
}

class Transfer {
 public:
  enum class Kind { Copy, Move };

  explicit Transfer(Kind kind)
      : kind_(kind),
        title_(kind == Kind::Copy ? "Copia" : "Spostamento"),
        verb_(kind == Kind::Copy ? "copiare" : "spostare") {}

  Outcome Run(const std::string& given_source, const std::string& destination_folder);

 private:
  // Step::Skipped: the user chose not to replace an item; the rest goes on.
  enum class Step { Done, Skipped, Failed, Aborted };

  Step Fail(const std::string& action, const std::string& path, int error_number) {
    ReportFailure(title_, action, path, error_number);
    return Step::Failed;
  }
  Step Fail(const std::string& action, const std::string& path, const std::string& why) {
    ReportFailure(title_, action, path, why);
    return Step::Failed;
  }

  Step MayReplace(const std::string& from, bool from_is_folder, const std::string& to);
  Step Copy(const std::string& from, const struct stat& st, const std::string& to);
  Step CopyConfirmed(const std::string& from, const struct stat& st, const std::string& to);
  Step CopyFolder(const std::string& from, const struct stat& st, const std::string& to);
  Step CopyFile(const std::string& from, const struct stat& st, const std::string& to);
  Step CopyLink(const std::string& from, const std::string& to);
  Step Move(const std::string& from, const struct stat& st, const std::string& to);
  Step CopyThenRemove(const std::string& from, const struct stat& st, const std::string& to);
  template <typename EachChild>
  Step ForEachChild(const std::string& from, EachChild each);

  Kind kind_;
  std::string title_;
  std::string verb_;
  bool replace_all_ = false;
  std::unique_ptr<Progress> progress_;
};

Outcome Transfer::Run(const std::string& given_source, const std::string& destination_folder) {
  std::string source = given_source;
  while (source.size() > 1 && source.back() == paths::kSeparator) source.pop_back();
  if (kind_ == Kind::Move && RefuseMountPoint(source)) return Outcome::Failed;
  struct stat st {};
  if (::lstat(source.c_str(), &st) != 0) {
    ReportFailure(title_, verb_, source, errno);
    return Outcome::Failed;
  }
  struct stat into {};
  const int into_error = ::stat(destination_folder.c_str(), &into) != 0 ? errno
                         : S_ISDIR(into.st_mode)                          ? 0
                                                                          : ENOTDIR;
  if (into_error != 0) {
    ReportFailure(title_, verb_ + " in", destination_folder, into_error);
    return Outcome::Failed;
  }
  const std::string name = NameOf(source);
  if (S_ISDIR(st.st_mode) && IsSameOrInside(source, destination_folder)) {
    ReportFailure(title_, verb_, source,
                  "la cartella di destinazione \"" + destination_folder +
                      "\" è la cartella stessa o una sua sottocartella.");
    return Outcome::Failed;
  }
  std::string target = paths::Join(destination_folder, name);
  if (RealPath(paths::FolderOf(source)) == RealPath(destination_folder)) {
    if (kind_ == Kind::Move) return Outcome::Done;  // already where it should go
    struct stat taken {};
    for (int attempt = 1; ::lstat(target.c_str(), &taken) == 0; ++attempt)
      target = paths::Join(destination_folder, CopyName(name, attempt));
  }
  progress_ = std::make_unique<Progress>(
      title_, kind_ == Kind::Copy ? steps::Measure(source) : steps::Totals{});
  const Step step = kind_ == Kind::Copy ? Copy(source, st, target) : Move(source, st, target);
  switch (step) {
    case Step::Failed: return Outcome::Failed;
    case Step::Aborted: return Outcome::Aborted;
    default: return Outcome::Done;
  }
}

Transfer::Step Transfer::MayReplace(const std::string& from, bool from_is_folder,
                                    const std::string& to) {
  struct stat existing {};
  if (::lstat(to.c_str(), &existing) != 0)
    return errno == ENOENT ? Step::Done : Fail(verb_, from, errno);
  const bool existing_is_folder = S_ISDIR(existing.st_mode);
  if (existing_is_folder != from_is_folder)
    return Fail(verb_, from,
                existing_is_folder ? "esiste già una cartella con lo stesso nome: \"" + to + "\"."
                                   : "esiste già un file con lo stesso nome: \"" + to + "\".");
  if (from_is_folder || replace_all_) return Step::Done;
  const std::string question = "La cartella \"" + paths::FolderOf(to) +
                               "\" contiene già un file denominato \"" + NameOf(to) +
                               "\".\n\nSostituire il file esistente con \"" + from + "\"?";
  switch (AskReplace(question, "Conferma sostituzione file")) {
    case ReplaceAnswer::YesToAll: replace_all_ = true; return Step::Done;
    case ReplaceAnswer::Yes: return Step::Done;
    case ReplaceAnswer::No: return Step::Skipped;
    case ReplaceAnswer::Cancel: break;
  }
  return Step::Aborted;
}

Transfer::Step Transfer::Copy(const std::string& from, const struct stat& st, const std::string& to) {
  const Step may = MayReplace(from, S_ISDIR(st.st_mode), to);
  return may == Step::Done ? CopyConfirmed(from, st, to) : may;
}

Transfer::Step Transfer::CopyConfirmed(const std::string& from, const struct stat& st,
                                       const std::string& to) {
  if (S_ISDIR(st.st_mode)) return CopyFolder(from, st, to);
  if (S_ISREG(st.st_mode)) return CopyFile(from, st, to);
  if (S_ISLNK(st.st_mode)) return CopyLink(from, to);
  return Fail(verb_, from, "non è né un file né una cartella.");
}

template <typename EachChild>
Transfer::Step Transfer::ForEachChild(const std::string& from, EachChild each) {
  int error = 0;
  const std::vector<std::string> names = steps::EntryNames(from, error);
  if (error != 0) return Fail("leggere la cartella", from, error);
  for (const std::string& name : names) {
    const std::string child = paths::Join(from, name);
    struct stat st {};
    if (::lstat(child.c_str(), &st) != 0) return Fail(verb_, child, errno);
    const Step step = each(child, st, name);
    if (step == Step::Failed || step == Step::Aborted) return step;
  }
  return Step::Done;
}

Transfer::Step Transfer::CopyFolder(const std::string& from, const struct stat& st,
                                    const std::string& to) {
  struct stat existing {};
  const bool merging = ::lstat(to.c_str(), &existing) == 0;
  // Owner-only while it fills, so that a read-only source still lets us write its copy.
  if (!merging && ::mkdir(to.c_str(), 0700) != 0) return Fail("creare la cartella", to, errno);
  if (!progress_->Advance(0, 1, from)) return Step::Aborted;
  const Step step = ForEachChild(from, [&](const std::string& child, const struct stat& child_st,
                                           const std::string& name) {
    return Copy(child, child_st, paths::Join(to, name));
  });
  if (!merging) ::chmod(to.c_str(), st.st_mode & 07777);
  return step;
}

Transfer::Step Transfer::CopyFile(const std::string& from, const struct stat& st,
                                  const std::string& to) {
  UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return Fail(verb_, from, errno);
  TemporaryFile out(to);
  if (out.fd().get() < 0) return Fail("scrivere nella cartella", paths::FolderOf(to), errno);
  std::vector<char> buffer(kChunkBytes);
  for (;;) {
    const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Fail(verb_, from, errno);
    if (got == 0) break;
    for (ssize_t written = 0; written < got;) {
      const ssize_t n = ::write(out.fd().get(), buffer.data() + written, got - written);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Fail("scrivere", to, errno);
      written += n;
    }
    if (!progress_->Advance(static_cast<std::uint64_t>(got), 0, from)) return Step::Aborted;
  }
  const timespec times[2] = {st.st_atim, st.st_mtim};
  ::fchmod(out.fd().get(), st.st_mode & 07777);
  ::futimens(out.fd().get(), times);
  // On disk before it takes the old file's place, and before a move deletes the source.
  if (::fsync(out.fd().get()) != 0 || out.fd().Close() != 0) return Fail("scrivere", to, errno);
  if (!out.PlaceAt(to)) return Fail("scrivere", to, errno);
  return progress_->Advance(0, 1, from) ? Step::Done : Step::Aborted;
}

Transfer::Step Transfer::CopyLink(const std::string& from, const std::string& to) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = ::readlink(from.c_str(), target.data(), target.size());
  if (length < 0) return Fail(verb_, from, errno);
  target.resize(static_cast<std::size_t>(length));
  // Made beside its place and renamed over it, like a file.
  std::string temporary;
  for (int attempt = 0;; ++attempt) {
    temporary = paths::Join(paths::FolderOf(to), ".faldone-collegamento-" +
                                                      std::to_string(::getpid()) + "-" +
                                                      std::to_string(attempt));
    if (::symlink(target.c_str(), temporary.c_str()) == 0) break;
    if (errno != EEXIST) return Fail("scrivere nella cartella", paths::FolderOf(to), errno);
  }
  if (::rename(temporary.c_str(), to.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return Fail("scrivere", to, error);
  }
  return progress_->Advance(0, 1, from) ? Step::Done : Step::Aborted;
}

Transfer::Step Transfer::Move(const std::string& from, const struct stat& st, const std::string& to) {
  struct stat existing {};
  if (::lstat(to.c_str(), &existing) != 0) {
    if (errno != ENOENT) return Fail(verb_, from, errno);
    if (::rename(from.c_str(), to.c_str()) == 0)
      return progress_->Advance(0, 1, from) ? Step::Done : Step::Aborted;
    if (errno != EXDEV) return Fail(verb_, from, errno);
    return CopyThenRemove(from, st, to);
  }
  if (S_ISDIR(st.st_mode) && S_ISDIR(existing.st_mode)) {
    const Step step = ForEachChild(from, [&](const std::string& child, const struct stat& child_st,
                                             const std::string& name) {
      return Move(child, child_st, paths::Join(to, name));
    });
    if (step != Step::Done) return step;
    // Not empty when the user kept some of its items: they stay where they are.
    if (::rmdir(from.c_str()) != 0 && errno != ENOTEMPTY && errno != EEXIST)
      return Fail("eliminare", from, errno);
    return Step::Done;
  }
  const Step may = MayReplace(from, S_ISDIR(st.st_mode), to);
  if (may != Step::Done) return may;
  if (::rename(from.c_str(), to.c_str()) == 0)
    return progress_->Advance(0, 1, from) ? Step::Done : Step::Aborted;
  if (errno != EXDEV) return Fail(verb_, from, errno);
  return CopyThenRemove(from, st, to);
}

Transfer::Step Transfer::CopyThenRemove(const std::string& from, const struct stat& st,
                                        const std::string& to) {
  progress_->AddToTotal(steps::Measure(from));
  // Nothing in this copy is skipped (its place was free, or the user agreed to replace it), so
  // Done means whole: only then does the source go.
  const Step step = CopyConfirmed(from, st, to);
  if (step != Step::Done) return step;
  switch (steps::RemoveTree(from, title_, *progress_)) {
    case Outcome::Done: return Step::Done;
    case Outcome::Failed: return Step::Failed;
    case Outcome::Aborted: break;
  }
  return Step::Aborted;
}

}  // namespace

std::string CopyName(const std::string& name, int attempt) {
  if (attempt <= 1) return "Copia di " + name;
  return "Copia (" + std::to_string(attempt) + ") di " + name;
}

Outcome CopyInto(const std::string& source, const std::string& destination_folder) {
  return Transfer(Transfer::Kind::Copy).Run(source, destination_folder);
}

Outcome MoveInto(const std::string& source, const std::string& destination_folder) {
  return Transfer(Transfer::Kind::Move).Run(source, destination_folder);
}

}  // namespace platform::file_operations
