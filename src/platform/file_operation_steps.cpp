#include "platform/file_operation_steps.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/user_error.h"
#include "platform/errno_text.h"

namespace platform::file_operations::steps {

std::vector<std::string> EntryNames(const std::string& folder, int& error) {
  std::vector<std::string> names;
  error = 0;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) {
    error = errno;
    return names;
  }
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
    errno = 0;
  }
  error = errno;
  ::closedir(dir);
  return names;
}

namespace {

// Adds what lies at and below path to totals; false once going_on said to stop.
bool MeasureOn(const std::string& path, dev_t device, Totals& totals,
               const MeasureProgress& going_on) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return true;
  if (S_ISREG(st.st_mode)) totals.bytes += static_cast<std::uint64_t>(st.st_size);
  ++totals.entries;
  if (going_on && !going_on(totals)) return false;
  if (!S_ISDIR(st.st_mode) || st.st_dev != device) return true;
  int error = 0;
  for (const std::string& name : EntryNames(path, error))
    if (!MeasureOn(paths::Join(path, name), device, totals, going_on)) return false;
  return true;
}

}  // namespace

Totals Measure(const std::string& path, const MeasureProgress& going_on) {
  struct stat st {};
  Totals totals;
  if (::lstat(path.c_str(), &st) == 0) MeasureOn(path, st.st_dev, totals, going_on);
  return totals;
}

void ReportFailure(const std::string& title, const std::string& action, const std::string& path,
                   const std::string& why) {
  ShowMessage("Impossibile " + action + " \"" + path + "\":\n" + why, title, MessageIcon::Critical);
}

void ReportFailure(const std::string& title, const std::string& action, const std::string& path,
                   int error_number) {
  ReportFailure(title, action, path, ErrnoText(error_number));
}

bool Confirmed(const std::string& question, const std::string& title,
               const std::string& default_answer) {
  return text::ToUpperAscii(text::Trim(InputBox(question, title, default_answer))) == "S";
}

Progress::Progress(const std::string& title, Totals total)
    : report_(StartProgress(title)), total_(total) {}

void Progress::AddToTotal(Totals more) {
  total_.bytes += more.bytes;
  total_.entries += more.entries;
}

bool Progress::Advance(std::uint64_t bytes, std::uint64_t entries, const std::string& text) {
  done_.bytes += bytes;
  done_.entries += entries;
  // Entries count too, so that a tree of empty files still moves the bar.
  const double all = static_cast<double>(total_.bytes) + static_cast<double>(total_.entries);
  const double done = static_cast<double>(done_.bytes) + static_cast<double>(done_.entries);
  const int percent = all > 0 ? static_cast<int>(100.0 * done / all) : 0;
  return report_->Update(percent > 100 ? 100 : percent, text);
}

namespace {

Outcome RemoveTreeOn(const std::string& path, dev_t device,
                     const std::set<std::string>& mount_points, const std::string& title,
                     Progress& progress) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    ReportFailure(title, "eliminare", path, errno);
    return Outcome::Failed;
  }
  if (S_ISDIR(st.st_mode)) {
    // What another file system mounted inside holds was not meant by this delete.
    if (st.st_dev != device || drives::IsMountPoint(path, mount_points)) {
      ReportFailure(title, "eliminare", path, "vi è montato un altro disco.");
      return Outcome::Failed;
    }
    int error = 0;
    const std::vector<std::string> names = EntryNames(path, error);
    if (error != 0) {
      ReportFailure(title, "eliminare", path, error);
      return Outcome::Failed;
    }
    for (const std::string& name : names) {
      const Outcome inner =
          RemoveTreeOn(paths::Join(path, name), device, mount_points, title, progress);
      if (inner != Outcome::Done) return inner;
    }
  }
  if ((S_ISDIR(st.st_mode) ? ::rmdir(path.c_str()) : ::unlink(path.c_str())) != 0) {
    ReportFailure(title, "eliminare", path, errno);
    return Outcome::Failed;
  }
  const std::uint64_t bytes = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  return progress.Advance(bytes, 1, path) ? Outcome::Done : Outcome::Aborted;
}

}  // namespace

Outcome RemoveTree(const std::string& path, const std::string& title, Progress& progress) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    ReportFailure(title, "eliminare", path, errno);
    return Outcome::Failed;
  }
  return RemoveTreeOn(path, st.st_dev, drives::MountPoints(), title, progress);
}

}  // namespace platform::file_operations::steps
