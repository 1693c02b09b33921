#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Child processes started from one command line, never through a shell: a folder named
// "$(rm -rf ~)" is only a name.
namespace platform::process {

// Splits a command line the way the archiver's command lines are written: words are separated
// by blanks, and double quotes group a word that holds blanks (the quotes themselves are not
// part of it). The first word is the program.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

// Where a child's standard error goes so that the caller can read it once the child has ended:
// an anonymous file in memory, gone with the object.
class CapturedOutput {
 public:
  CapturedOutput();
  ~CapturedOutput();
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

  int fd() const { return fd_; }
  // The first max_lines lines written so far, without their line ends.
  std::vector<std::string> FirstLines(std::size_t max_lines) const;

 private:
  int fd_;
};

// Starts argv[0] (searched in PATH when it holds no "/") with the given arguments, the
// caller's environment and folder, standard input from /dev/null, standard error into errors
// when given, and no other descriptor. Returns the child's process id, or 0 when it could not
// be started (no such program, not executable, empty argv).
[[nodiscard]] pid_t Spawn(const std::vector<std::string>& argv, const CapturedOutput* errors = nullptr);

// Looks once, without waiting, whether the child has ended. nullopt while it runs; once it has
// ended the child is reaped and its exit code returned (128 + the signal number when a signal
// ended it, -1 when it can no longer be asked about).
[[nodiscard]] std::optional<int> PollExit(pid_t child);

}  // namespace platform::process
