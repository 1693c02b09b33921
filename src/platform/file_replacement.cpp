#include "platform/file_replacement.h"

#include "platform/user_error.h"

namespace platform::files {
namespace {

using namespace system_error;

// The first attempt and ten more, a tenth of a second apart.
constexpr int kAttempts = 11;

// Calls call until it succeeds, fails for good or the attempts left are spent.
SystemError WithRetries(const std::function<SystemError()>& call, const ReplacementCalls& calls,
                        int& attempts_left) {
  for (;;) {
    const SystemError error = call();
    if (error == kNone || !IsPassing(error) || --attempts_left <= 0) return error;
    calls.pause();
  }
}

}  // namespace

bool IsPassing(SystemError error) {
  return error == kAccessDenied || error == kSharingViolation || error == kLockViolation ||
         error == kUnableToRemoveReplaced;
}

void PlaceReplacement(const std::string& target, const std::string& temp, const std::string& backup,
                      bool replacing, const ReplacementCalls& calls) {
  auto fail = [&](SystemError error, const std::string& where) {
    throw UserError("Impossibile scrivere il file " + target + "\r\n\r\n" + calls.describe(error) + where);
  };
  int attempts_left = kAttempts;
  if (replacing) {
    const SystemError error = WithRetries(calls.replace, calls, attempts_left);
    if (error == kNone) {
      calls.remove(backup);
      return;
    }
    // Any other failure changed nothing: the old file is still in place.
    if (error != kFileNotFound && error != kUnableToMoveReplacement && error != kUnableToMoveReplacement2) {
      calls.remove(temp);
      fail(error, "");
    }
  }
  // The target is missing, or the old file went away from it: the new text goes there.
  const SystemError error =
      WithRetries([&] { return calls.move_to_target(temp, true); }, calls, attempts_left);
  if (error == kNone) {
    if (replacing) calls.remove(backup);
    return;
  }
  if (!replacing) {
    calls.remove(temp);
    fail(error, "");
  }
  // Never neither: the old file goes back where it was, and the new text stays where it is.
  const SystemError back = calls.move_to_target(backup, false);
  if (back == kNone)
    fail(error, "\r\n\r\nIl file è rimasto com'era; il nuovo testo è nel file " + temp + ".");
  if (back == kFileNotFound) fail(error, "\r\n\r\nIl nuovo testo è nel file " + temp + ".");
  fail(error, "\r\n\r\nIl nuovo testo è nel file " + temp + "; il file precedente è ora " + backup + ".");
}

}  // namespace platform::files
