// The archiver tests' helpers that talk to Linux itself.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "../archive_fixture.h"

namespace archiver_test {

int StartProgram(const std::vector<std::string>& argv, const std::string& output_path, bool run_as_nobody) {
  const pid_t child = ::fork();
  if (child == 0) {
    const int output = ::open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(output, 1);
    ::dup2(output, 2);
    if (run_as_nobody && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(126);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  return child;
}

int WaitForProgram(int child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ProcessResult RunProgram(const std::vector<std::string>& argv, bool run_as_nobody) {
  char output_path[] = "/tmp/archiver-test-output-XXXXXX";
  if (::close(::mkstemp(output_path)) != 0) throw std::runtime_error("mkstemp failed");
  const int exit_code = WaitForProgram(StartProgram(argv, output_path, run_as_nobody));
  ProcessResult result{exit_code, ReadFile(output_path)};
  ::unlink(output_path);
  return result;
}

bool ToolExists(const std::string& name) { return ::access(("/usr/bin/" + name).c_str(), X_OK) == 0; }

void SetMtime(const std::string& path, std::int64_t seconds) {
  const struct timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
  if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
    throw std::runtime_error("cannot set the time of " + path);
}

archiver::ModificationTime ExactMtime(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return {-1, 0};
  return {info.st_mtim.tv_sec, static_cast<std::uint32_t>(info.st_mtim.tv_nsec / 100)};
}

std::uint64_t FileIdentity(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace archiver_test
