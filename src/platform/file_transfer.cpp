// Copy and move of one file or folder into a folder.
#include <cerrno>
#include <vector>

#include "platform/file_items.h"
#include "platform/file_operation_steps.h"
#include "platform/file_operations.h"
#include "platform/paths.h"

namespace platform::file_operations {
namespace {

using items::Item;
using items::Kind;
using steps::Progress;
using steps::ReportFailure;

// The last name of a path without closing separators.
std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of(paths::kSeparator);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsSameOrInside(const std::string& folder, const std::string& candidate) {
  std::string outer = items::RealPath(folder);
  const std::string inner = items::RealPath(candidate);
  if (outer.empty() || inner.empty()) return false;
  // Compared with closing separators, so that "/a/bc" is not inside "/a/b"; a root has one.
  if (outer.back() != paths::kSeparator) outer += paths::kSeparator;
  return (inner + paths::kSeparator).rfind(outer, 0) == 0;
}

class Transfer {
 public:
  enum class Mode { Copy, Move };

  explicit Transfer(Mode mode)
      : mode_(mode),
        title_(mode == Mode::Copy ? "Copia" : "Spostamento"),
        verb_(mode == Mode::Copy ? "copiare" : "spostare") {}

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
  Step Fail(const items::Failure& failure, const std::string& from, const std::string& to) {
    switch (failure.stage) {
      case items::Stage::Reading: return Fail(verb_, from, failure.error);
      case items::Stage::MakingTemporary:
        return Fail("scrivere nella cartella", paths::FolderOf(to), failure.error);
      case items::Stage::Writing: break;
    }
    return Fail("scrivere", to, failure.error);
  }
  Step Advanced(const std::string& from) {
    return progress_->Advance(0, 1, from) ? Step::Done : Step::Aborted;
  }

  Step MayReplace(const std::string& from, bool from_is_folder, const std::string& to);
  Step Copy(const std::string& from, const Item& item, const std::string& to);
  Step CopyConfirmed(const std::string& from, const Item& item, const std::string& to);
  Step CopyFolder(const std::string& from, const std::string& to);
  Step CopyFile(const std::string& from, const std::string& to);
  Step CopyLink(const std::string& from, const std::string& to);
  Step Move(const std::string& from, const Item& item, const std::string& to);
  Step CopyThenRemove(const std::string& from, const Item& item, const std::string& to);
  template <typename EachChild>
  Step ForEachChild(const std::string& from, EachChild each);

  Mode mode_;
  std::string title_;
  std::string verb_;
  bool replace_all_ = false;
  std::unique_ptr<Progress> progress_;
};

Outcome Transfer::Run(const std::string& given_source, const std::string& destination_folder) {
  std::string source = given_source;
  while (source.size() > 1 && source.back() == paths::kSeparator &&
         source != paths::DriveRoot(source))
    source.pop_back();
  if (mode_ == Mode::Move && RefuseMountPoint(source)) return Outcome::Failed;
  int error = 0;
  const std::optional<Item> item = items::Look(source, error);
  if (!item) {
    ReportFailure(title_, verb_, source, error);
    return Outcome::Failed;
  }
  if (const int into_error = items::FolderProblem(destination_folder); into_error != 0) {
    ReportFailure(title_, verb_ + " in", destination_folder, into_error);
    return Outcome::Failed;
  }
  const std::string name = NameOf(source);
  if (item->kind == Kind::Folder && IsSameOrInside(source, destination_folder)) {
    ReportFailure(title_, verb_, source,
                  "la cartella di destinazione \"" + destination_folder +
                      "\" è la cartella stessa o una sua sottocartella.");
    return Outcome::Failed;
  }
  std::string target = paths::Join(destination_folder, name);
  if (items::RealPath(paths::FolderOf(source)) == items::RealPath(destination_folder)) {
    if (mode_ == Mode::Move) return Outcome::Done;  // already where it should go
    for (int attempt = 1; items::Look(target, error); ++attempt)
      target = paths::Join(destination_folder, CopyName(name, attempt));
  }
  progress_ = std::make_unique<Progress>(
      title_, mode_ == Mode::Copy ? steps::Measure(source) : steps::Totals{});
  const Step step = mode_ == Mode::Copy ? Copy(source, *item, target) : Move(source, *item, target);
  switch (step) {
    case Step::Failed: return Outcome::Failed;
    case Step::Aborted: return Outcome::Aborted;
    default: return Outcome::Done;
  }
}

Transfer::Step Transfer::MayReplace(const std::string& from, bool from_is_folder,
                                    const std::string& to) {
  int error = 0;
  const std::optional<Item> existing = items::Look(to, error);
  if (!existing) return error == ENOENT ? Step::Done : Fail(verb_, from, error);
  const bool existing_is_folder = existing->kind == Kind::Folder;
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

Transfer::Step Transfer::Copy(const std::string& from, const Item& item, const std::string& to) {
  const Step may = MayReplace(from, item.kind == Kind::Folder, to);
  return may == Step::Done ? CopyConfirmed(from, item, to) : may;
}

Transfer::Step Transfer::CopyConfirmed(const std::string& from, const Item& item,
                                       const std::string& to) {
  switch (item.kind) {
    case Kind::Folder: return CopyFolder(from, to);
    case Kind::File: return CopyFile(from, to);
    case Kind::Link: return CopyLink(from, to);
    case Kind::Special: break;
  }
  return Fail(verb_, from, "non è né un file né una cartella.");
}

template <typename EachChild>
Transfer::Step Transfer::ForEachChild(const std::string& from, EachChild each) {
  int error = 0;
  const std::vector<std::string> names = items::EntryNames(from, error);
  if (error != 0) return Fail("leggere la cartella", from, error);
  for (const std::string& name : names) {
    const std::string child = paths::Join(from, name);
    const std::optional<Item> item = items::Look(child, error);
    if (!item) return Fail(verb_, child, error);
    const Step step = each(child, *item, name);
    if (step == Step::Failed || step == Step::Aborted) return step;
  }
  return Step::Done;
}

Transfer::Step Transfer::CopyFolder(const std::string& from, const std::string& to) {
  int error = 0;
  const bool merging = items::Look(to, error).has_value();
  if (!merging && (error = items::MakeFolder(to)) != 0) return Fail("creare la cartella", to, error);
  if (!progress_->Advance(0, 1, from)) return Step::Aborted;
  const Step step = ForEachChild(from, [&](const std::string& child, const Item& child_item,
                                           const std::string& name) {
    return Copy(child, child_item, paths::Join(to, name));
  });
  if (!merging) items::FinishFolder(from, to);
  return step;
}

Transfer::Step Transfer::CopyFile(const std::string& from, const std::string& to) {
  const std::optional<items::Failure> failure = items::CopyRegularFile(
      from, to, [&](std::uint64_t bytes) { return progress_->Advance(bytes, 0, from); });
  if (!failure) return Advanced(from);
  return failure->error == ECANCELED ? Step::Aborted : Fail(*failure, from, to);
}

Transfer::Step Transfer::CopyLink(const std::string& from, const std::string& to) {
  const std::optional<items::Failure> failure = items::CopyLink(from, to);
  return failure ? Fail(*failure, from, to) : Advanced(from);
}

Transfer::Step Transfer::Move(const std::string& from, const Item& item, const std::string& to) {
  int error = 0;
  const std::optional<Item> existing = items::Look(to, error);
  if (!existing) {
    if (error != ENOENT) return Fail(verb_, from, error);
    error = items::Rename(from, to);
    if (error == 0) return Advanced(from);
    if (error != EXDEV) return Fail(verb_, from, error);
    return CopyThenRemove(from, item, to);
  }
  if (item.kind == Kind::Folder && existing->kind == Kind::Folder) {
    const Step step = ForEachChild(from, [&](const std::string& child, const Item& child_item,
                                             const std::string& name) {
      return Move(child, child_item, paths::Join(to, name));
    });
    if (step != Step::Done) return step;
    // Not empty when the user kept some of its items: they stay where they are.
    error = items::Remove(from, item);
    if (error != 0 && error != ENOTEMPTY && error != EEXIST) return Fail("eliminare", from, error);
    return Step::Done;
  }
  const Step may = MayReplace(from, item.kind == Kind::Folder, to);
  if (may != Step::Done) return may;
  error = items::Rename(from, to);
  if (error == 0) return Advanced(from);
  if (error != EXDEV) return Fail(verb_, from, error);
  return CopyThenRemove(from, item, to);
}

Transfer::Step Transfer::CopyThenRemove(const std::string& from, const Item& item,
                                        const std::string& to) {
  progress_->AddToTotal(steps::Measure(from));
  // Nothing in this copy is skipped (its place was free, or the user agreed to replace it), so
  // Done means whole: only then does the source go.
  const Step step = CopyConfirmed(from, item, to);
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
  return Transfer(Transfer::Mode::Copy).Run(source, destination_folder);
}

Outcome MoveInto(const std::string& source, const std::string& destination_folder) {
  return Transfer(Transfer::Mode::Move).Run(source, destination_folder);
}

}  // namespace platform::file_operations
