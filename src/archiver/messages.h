#pragma once

#include <mutex>
#include <ostream>
#include <string>

namespace archiver {

// Everything a run tells its user goes through here, one line each, prefixed with the
// program's name. Failures are counted: they decide between "done" and "some failed". How far
// the run has come goes to a channel of its own, when there is one (see ProgressReport).
class Messages {
 public:
  explicit Messages(std::ostream& out, std::ostream* progress = nullptr) : out_(out), progress_(progress) {}

  // Something the user should know that is not a failure (an item deliberately left out).
  void Notice(const std::string& text);
  // An item that was not done.
  void Failure(const std::string& text);

  int failures() const;
  std::ostream* progress_channel() const { return progress_; }

 private:
  std::ostream& out_;
  std::ostream* const progress_;
  mutable std::mutex mutex_;
  int failures_ = 0;
};

}  // namespace archiver
