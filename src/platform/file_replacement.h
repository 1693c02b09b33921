#pragma once

#include <cstdint>
#include <functional>
#include <string>

// How a file written beside its target takes the target's place when the system may refuse for
// a moment: an antivirus or the search indexer holds a just-closed file open. Windows' error
// codes are plain numbers here, so that both systems build and test every path of the decision.
namespace platform::files {

using SystemError = std::uint32_t;

namespace system_error {
inline constexpr SystemError kNone = 0;
inline constexpr SystemError kFileNotFound = 2;
inline constexpr SystemError kAccessDenied = 5;
inline constexpr SystemError kSharingViolation = 32;
inline constexpr SystemError kLockViolation = 33;
inline constexpr SystemError kUnableToRemoveReplaced = 1175;   // both files under their own names
inline constexpr SystemError kUnableToMoveReplacement = 1176;  // the old file may be gone
inline constexpr SystemError kUnableToMoveReplacement2 = 1177;  // the old file lies under the backup name
}  // namespace system_error

// The calls a replacement makes; each returns kNone or the system's code.
struct ReplacementCalls {
  // The target becomes the backup, the temporary file becomes the target.
  std::function<SystemError()> replace;
  // Renames from to the target; over: even when the target exists.
  std::function<SystemError(const std::string& from, bool over)> move_to_target;
  std::function<void(const std::string& name)> remove;
  std::function<void()> pause;  // a tenth of a second before the next attempt
  std::function<std::string(SystemError)> describe;
};

// Whether another attempt may succeed: a lock held for a moment, not a refusal for good.
bool IsPassing(SystemError error);

// Puts temp in target's place, through backup when the target exists (replacing), retrying what
// IsPassing for about a second in all. It always ends with the new text at the target or the old
// file there: when the new text cannot be put in place it is kept in temp, and the UserError
// thrown says where the new text and the old file are. Only when nothing changed is temp removed.
void PlaceReplacement(const std::string& target, const std::string& temp, const std::string& backup,
                      bool replacing, const ReplacementCalls& calls);

}  // namespace platform::files
