#pragma once

#include <optional>
#include <string>
#include <vector>

namespace archiver {

struct Command {
  enum class Kind { kBackup, kRestore };
  Kind kind;
  std::string archive;
  std::string folder;  // backup: the folder whose tree is archived; restore: the target
};

// The two command lines the program is driven with (arguments after the program's name):
//   -min -a -r -p ARCHIVE "FOLDER/*.*"    backup of FOLDER and everything below it
//   -min -e -o ARCHIVE TARGET             restore of every entry below TARGET
// Options may come in any order before the two names; "-min" may be left out and changes
// nothing. Anything else is bad usage: nullopt.
[[nodiscard]] std::optional<Command> ParseCommandLine(const std::vector<std::string>& arguments);

// The usage message, in Italian, ending with a newline.
std::string UsageText();

}  // namespace archiver
