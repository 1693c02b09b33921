#include "runner/progress_text.h"

#include <cmath>

#include "platform/text.h"

namespace runner {
namespace {

using platform::text::GroupedDigits;

// The pace of the first seconds says little: a backup probes its files before any byte counts.
constexpr std::chrono::seconds kFirstEstimate{3};

// "2,1": value / unit to one decimal, rounded to the nearest tenth or down.
std::string Tenths(std::uint64_t value, std::uint64_t unit, bool nearest) {
  const long double exact = static_cast<long double>(value) * 10 / static_cast<long double>(unit);
  const auto tenths = static_cast<std::uint64_t>(nearest ? std::round(exact) : std::floor(exact));
  return GroupedDigits(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string Sizes(std::uint64_t done, std::uint64_t total) {
  if (total < 1024) return GroupedDigits(done) + " di " + GroupedDigits(total) + " byte";
  constexpr const char* kUnits[] = {"KB", "MB", "GB"};
  std::uint64_t unit = 1024;
  int index = 0;
  while (index < 2 && total >= unit * 1024) {
    unit *= 1024;
    ++index;
  }
  return Tenths(done, unit, done == total) + " di " + Tenths(total, unit, true) + " " + kUnits[index];
}

std::string TimeLeft(double seconds) {
  if (seconds < 60) return "meno di un minuto";
  const long long minutes = std::llround(seconds / 60);
  if (minutes < 60) return "circa " + std::to_string(minutes) + (minutes == 1 ? " minuto" : " minuti");
  const long long hours = std::llround(seconds / 3600);
  return "circa " + std::to_string(hours) + (hours == 1 ? " ora" : " ore");
}

}  // namespace

std::string ProgressFigures(const Progress& progress, std::chrono::milliseconds elapsed) {
  std::string text = GroupedDigits(progress.files_done) + " di " + GroupedDigits(progress.files_total) + " file, " +
                     Sizes(progress.bytes_done, progress.bytes_total);
  // Bytes tell the pace best; a line of empty files has only its files to go by.
  const double done = progress.bytes_total > 0 ? double(progress.bytes_done) / double(progress.bytes_total)
                      : progress.files_total > 0 ? double(progress.files_done) / double(progress.files_total)
                                                 : 0;
  if (done > 0 && done < 1 && elapsed >= kFirstEstimate) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    text += ", " + TimeLeft(seconds * (1 - done) / done);
  }
  return text;
}

}  // namespace runner
