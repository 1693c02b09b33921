#include "platform/process.h"

#include <utility>

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

namespace {

// One argument after the program's name, as CommandLineToArgvW reads it back.
void AppendArgument(std::string& line, const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
    line += argument;  // backslashes are literal where no quote follows them
    return;
  }
  line += '"';
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote escape it: each one doubled, then one more for the quote.
    line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    line += c;
  }
  // Before the closing quote they must not escape it.
  line.append(2 * backslashes, '\\');
  line += '"';
}

}  // namespace

std::optional<std::string> WindowsCommandLine(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty() || argv[0].find('"') != std::string::npos) return std::nullopt;
  std::string line = argv[0].find_first_of(" \t") == std::string::npos ? argv[0] : "\"" + argv[0] + "\"";
  for (std::size_t i = 1; i < argv.size(); ++i) {
    line += ' ';
    AppendArgument(line, argv[i]);
  }
  return line;
}

Child::Child(Child&& other) noexcept : native_(std::exchange(other.native_, 0)) {}

Child& Child::operator=(Child&& other) noexcept {
  if (this != &other) {
    Release();
    native_ = std::exchange(other.native_, 0);
  }
  return *this;
}

Child::~Child() { Release(); }

}  // namespace platform::process
