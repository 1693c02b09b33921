#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_operations.h"
#include "platform/operation_dialogs.h"

// What copy, move and delete share: measuring a tree, counting progress, reporting a failure
// and removing a tree.
namespace platform::file_operations::steps {

struct Totals {
  std::uint64_t bytes = 0;
  std::uint64_t entries = 0;
};

// Told the totals so far after every entry; returning false stops the measuring there.
using MeasureProgress = std::function<bool(const Totals&)>;

// Everything at and below path on its own file system; links are counted, never followed.
Totals Measure(const std::string& path, const MeasureProgress& going_on = {});

// "Impossibile ACTION \"PATH\": WHY" in a message with the critical icon.
void ReportFailure(const std::string& title, const std::string& action, const std::string& path,
                   const std::string& why);
void ReportFailure(const std::string& title, const std::string& action, const std::string& path,
                   int error_number);

// The yes/no questions of the file operations: only "S" means yes.
[[nodiscard]] bool Confirmed(const std::string& question, const std::string& title,
                             const std::string& default_answer);

class Progress {
 public:
  Progress(const std::string& title, Totals total);
  void AddToTotal(Totals more);
  // Counts work done and shows it; false once the user cancelled.
  [[nodiscard]] bool Advance(std::uint64_t bytes, std::uint64_t entries, const std::string& text);

 private:
  std::unique_ptr<ProgressReport> report_;
  Totals total_;
  Totals done_;
};

// Deletes path and everything below it, never following a link nor entering another file
// system mounted inside. Stops at the first failure, which it reports, or when the user cancels.
[[nodiscard]] Outcome RemoveTree(const std::string& path, const std::string& title,
                                 Progress& progress);

}  // namespace platform::file_operations::steps
