#include "restore/restore_items.h"

#include "platform/text.h"
#include "store/numeric.h"

namespace restore {
namespace {

using platform::text::MidChars;
using platform::text::PadOrCut;
using platform::text::Trim;

constexpr std::size_t kNumberWidth = 5;
constexpr std::size_t kArchiveColumn = 6;  // 0-based
constexpr std::size_t kArchiveWidth = 12;
constexpr std::size_t kDescriptionColumn = 19;
constexpr std::size_t kDescriptionWidth = 40;
constexpr std::size_t kPathColumn = 60;

// " 1   ": a leading blank, then padded; a number too long for the blank goes without it so
// that the columns after it stay in place.
std::string NumberColumn(int number) {
  const std::string digits = std::to_string(number);
  return PadOrCut(digits.size() < kNumberWidth ? " " + digits : digits, kNumberWidth);
}

}  // namespace

std::string RestoreListItem(int number, const std::string& archive, const std::string& description,
                            const std::string& path) {
  return NumberColumn(number) + " " + PadOrCut(archive, kArchiveWidth) + " " +
         PadOrCut(description, kDescriptionWidth) + " " + path;
}

RestoreEntry ReadRestoreItem(const std::string& item) {
  RestoreEntry entry;
  entry.number = static_cast<int>(store::NumericValue(MidChars(item, 0, kNumberWidth)));
  entry.archive = Trim(MidChars(item, kArchiveColumn, kArchiveWidth));
  entry.description = Trim(MidChars(item, kDescriptionColumn, kDescriptionWidth));
  entry.path = Trim(MidChars(item, kPathColumn));
  return entry;
}

}  // namespace restore
