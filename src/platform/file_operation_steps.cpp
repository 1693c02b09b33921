#include "platform/file_operation_steps.h"

#include <set>

#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/file_items.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/user_error.h"
#include "platform/errno_text.h"

namespace platform::file_operations::steps {

namespace {

// Adds what lies at and below path to totals; false once going_on said to stop.
bool MeasureOn(const std::string& path, std::uint64_t device, Totals& totals,
               const MeasureProgress& going_on) {
  int error = 0;
  const std::optional<items::Item> item = items::Look(path, error);
  if (!item) return true;
  totals.bytes += item->size;
  ++totals.entries;
  if (going_on && !going_on(totals)) return false;
  if (item->kind != items::Kind::Folder || item->device != device) return true;
  for (const std::string& name : items::EntryNames(path, error))
    if (!MeasureOn(paths::Join(path, name), device, totals, going_on)) return false;
  return true;
}

}  // namespace

Totals Measure(const std::string& path, const MeasureProgress& going_on) {
  Totals totals;
  int error = 0;
  if (const std::optional<items::Item> item = items::Look(path, error))
    MeasureOn(path, item->device, totals, going_on);
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

Outcome RemoveTreeOn(const std::string& path, std::uint64_t device,
                     const std::set<std::string>& mount_points, const std::string& title,
                     Progress& progress) {
  int error = 0;
  const std::optional<items::Item> item = items::Look(path, error);
  if (!item) {
    ReportFailure(title, "eliminare", path, error);
    return Outcome::Failed;
  }
  if (item->kind == items::Kind::Folder) {
    // What another file system mounted inside holds was not meant by this delete.
    if (item->device != device || drives::IsMountPoint(path, mount_points)) {
      ReportFailure(title, "eliminare", path, "vi è montato un altro disco.");
      return Outcome::Failed;
    }
    const std::vector<std::string> names = items::EntryNames(path, error);
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
  if ((error = items::Remove(path, *item)) != 0) {
    ReportFailure(title, "eliminare", path, error);
    return Outcome::Failed;
  }
  return progress.Advance(item->size, 1, path) ? Outcome::Done : Outcome::Aborted;
}

}  // namespace

Outcome RemoveTree(const std::string& path, const std::string& title, Progress& progress) {
  int error = 0;
  const std::optional<items::Item> item = items::Look(path, error);
  if (!item) {
    ReportFailure(title, "eliminare", path, error);
    return Outcome::Failed;
  }
  return RemoveTreeOn(path, item->device, drives::MountPoints(), title, progress);
}

}  // namespace platform::file_operations::steps
