#include "platform/process.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <utility>

#include "platform/line_splitter.h"

extern char** environ;

namespace platform::process {

CapturedOutput::CapturedOutput() : native_(::memfd_create("faldone-messaggi", MFD_CLOEXEC)) {}

CapturedOutput::~CapturedOutput() {
  if (native_ >= 0) ::close(static_cast<int>(native_));
}

std::vector<std::string> CapturedOutput::FirstLines(std::size_t max_lines) const {
  files::LinesRead read;
  off_t offset = 0;
  const int fd = static_cast<int>(native_);
  if (fd >= 0)
    files::SplitLines(
        [fd, &offset](char* buffer, std::size_t size) -> std::ptrdiff_t {
          const ssize_t got = ::pread(fd, buffer, size, offset);
          if (got > 0) offset += got;
          return got;
        },
        max_lines, files::kMaxMessageLineBytes, read);
  return read.lines;
}

OutputPipe::OutputPipe() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return;
  // Only this end waits for nothing: the child's copy of the other shares its flags.
  ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
  read_ = ends[0];
  write_ = ends[1];
}

OutputPipe::~OutputPipe() {
  if (read_ >= 0) ::close(static_cast<int>(read_));
  CloseWriteEnd();
}

void OutputPipe::CloseWriteEnd() {
  if (write_ >= 0) ::close(static_cast<int>(write_));
  write_ = -1;
}

std::string OutputPipe::ReadAvailable(std::size_t max_bytes) {
  std::string text;
  char buffer[4096];
  while (read_ >= 0 && text.size() < max_bytes) {
    const ssize_t got = ::read(static_cast<int>(read_), buffer, std::min(sizeof buffer, max_bytes - text.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // nothing more for now (EAGAIN), or the child has ended
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

// A child that was never waited for stays a zombie until this program ends, as it always has:
// the windows let an archiver run on when they close.
void Child::Release() { native_ = 0; }

Child Child::Spawn(const std::vector<std::string>& argv, const CapturedOutput* errors, OutputPipe* output) {
  if (argv.empty() || argv[0].empty()) return Child();
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (output && output->write_ >= 0)
    posix_spawn_file_actions_adddup2(&actions, static_cast<int>(output->write_), STDOUT_FILENO);
  if (errors && errors->native_ >= 0)
    posix_spawn_file_actions_adddup2(&actions, static_cast<int>(errors->native_), STDERR_FILENO);
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
  // The child holds the only writing end, so its end is the pipe's end.
  if (output) output->CloseWriteEnd();
  return error_number == 0 ? Child(child) : Child();
}

std::optional<int> Child::PollExit() {
  if (native_ == 0) return std::nullopt;
  int status = 0;
  pid_t got;
  do {
    got = ::waitpid(static_cast<pid_t>(native_), &status, WNOHANG);
  } while (got < 0 && errno == EINTR);
  if (got == 0) return std::nullopt;
  native_ = 0;
  if (got < 0) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace platform::process
