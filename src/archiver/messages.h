#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace archiver {

// Everything a run tells its user goes through here, one line each, prefixed with the
// program's name. Failures are counted: they decide between "done" and "some failed".
class Messages {
 public:
  explicit Messages(std::ostream& out) : out_(out) {}

  // Something the user should know that is not a failure (an item deliberately left out).
  void Notice(const std::string& text);
  // An item that was not done.
  void Failure(const std::string& text);

  int failures() const;

 private:
  std::ostream& out_;
  mutable std::mutex mutex_;
  int failures_ = 0;
};

}  // namespace archiver
