#include "platform/process.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <utility>

extern char** environ;

namespace platform::process {

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : command_line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;  // "" is an empty word of its own
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

CapturedOutput::CapturedOutput() : fd_(::memfd_create("faldone-messaggi", MFD_CLOEXEC)) {}

CapturedOutput::~CapturedOutput() {
  if (fd_ >= 0) ::close(fd_);
}

std::vector<std::string> CapturedOutput::FirstLines(std::size_t max_lines) const {
  std::vector<std::string> lines;
  std::string line;
  char buffer[4096];
  off_t offset = 0;
  ssize_t got;
  while (fd_ >= 0 && lines.size() < max_lines &&
         (got = ::pread(fd_, buffer, sizeof buffer, offset)) > 0) {
    offset += got;
    for (ssize_t i = 0; i < got && lines.size() < max_lines; ++i) {
      if (buffer[i] != '\n') line += buffer[i];
      else lines.push_back(std::exchange(line, {}));
    }
  }
  if (!line.empty() && lines.size() < max_lines) lines.push_back(line);
  return lines;
}

pid_t Spawn(const std::vector<std::string>& argv, const CapturedOutput* errors) {
  if (argv.empty() || argv[0].empty()) return 0;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (errors && errors->fd() >= 0) posix_spawn_file_actions_adddup2(&actions, errors->fd(), STDERR_FILENO);
  // The window system's connections and every other open file stay with this program.
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  // Signals start as a fresh program expects them, whatever the window system changed here.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t child = 0;
  const int error_number = posix_spawnp(&child, args[0], &actions, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error_number == 0 ? child : 0;
}

std::optional<int> PollExit(pid_t child) {
  int status = 0;
  pid_t got;
  do {
    got = ::waitpid(child, &status, WNOHANG);
  } while (got < 0 && errno == EINTR);
  if (got == 0) return std::nullopt;
  if (got < 0) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace platform::process
