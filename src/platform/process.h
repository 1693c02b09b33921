#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Child processes started from one command line, never through a shell: a folder named
// "$(rm -rf ~)" or "a & del *" is only a name.
namespace platform::process {

// Splits a command line the way the archiver's command lines are written: words are separated
// by blanks, and double quotes group a word that holds blanks (the quotes themselves are not
// part of it, and a backslash is an ordinary character: "C:\TMP\" is the word C:\TMP\).
// The first word is the program.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

// The Windows command line that hands argv to a program exactly, by the rules Windows
// programs read it with (CommandLineToArgvW and the C runtime): an argument with a blank, a
// tab or a quote goes in quotes, a quote inside is escaped, and backslashes before a quote or
// before the closing quote are doubled. The program's name is only quoted: Windows does not
// read escapes there. nullopt when argv is empty or the program's name holds a quote.
std::optional<std::string> WindowsCommandLine(const std::vector<std::string>& argv);

// Where a child's standard error goes so that the caller can read it once the child has ended:
// an anonymous file in memory on Linux, a temporary file deleted when closed on Windows;
// gone with the object.
class CapturedOutput {
 public:
  CapturedOutput();
  ~CapturedOutput();
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

  // The first max_lines lines written so far, without their line ends (LF or CR LF).
  std::vector<std::string> FirstLines(std::size_t max_lines) const;

 private:
  friend class Child;
  std::intptr_t native_;  // the system's descriptor or handle; -1 when none could be made
};

// The pipe a child writes on its standard output, its channel for telling how far it has
// come, read here without ever waiting. The child never waits on it either for long: what it
// writes is read a few times a second, whatever it is.
class OutputPipe {
 public:
  OutputPipe();
  ~OutputPipe();
  OutputPipe(const OutputPipe&) = delete;
  OutputPipe& operator=(const OutputPipe&) = delete;

  // What the child has written since the last call, at most max_bytes of it, without waiting;
  // empty when it has written nothing new (or has ended, or the pipe could not be made).
  std::string ReadAvailable(std::size_t max_bytes);

 private:
  friend class Child;
  void CloseWriteEnd();  // once the child has its own copy
  std::intptr_t read_ = -1;   // the system's descriptor or handle; -1 when none
  std::intptr_t write_ = -1;
};

// A started child process, owned: what the system needs to watch it (on Windows its handle,
// closed when the object goes). Empty when no process is being watched.
class Child {
 public:
  Child() = default;
  ~Child();
  Child(Child&& other) noexcept;
  Child& operator=(Child&& other) noexcept;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  explicit operator bool() const { return native_ != 0; }

  // Starts argv[0] with the given arguments, the caller's environment and folder, standard
  // input from the null device, standard output into output when given (otherwise this
  // program's on Linux, the null device on Windows), standard error into errors when given,
  // and none of this program's other open files. Linux searches PATH for a name without "/"; Windows searches
  // as CreateProcessW does. Empty when it could not be started (no such program, not a
  // program, empty argv).
  [[nodiscard]] static Child Spawn(const std::vector<std::string>& argv, const CapturedOutput* errors = nullptr,
                                   OutputPipe* output = nullptr);

  // Looks once, without waiting, whether the child has ended. nullopt while it runs (and for
  // an empty Child); once it has ended its exit code is returned (on Linux 128 + the signal
  // number when a signal ended it; -1 when it can no longer be asked about) and the Child is
  // released and empty.
  [[nodiscard]] std::optional<int> PollExit();

 private:
  explicit Child(std::intptr_t native) : native_(native) {}
  void Release();

  std::intptr_t native_ = 0;  // process id on Linux, process handle on Windows
};

}  // namespace platform::process
