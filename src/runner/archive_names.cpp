#include "runner/archive_names.h"

#include <cstdio>

#include "platform/text.h"
#include "store/numeric.h"

namespace runner {
namespace {

using platform::text::CharCount;
using platform::text::MidChars;

std::string LastChars(const std::string& s, std::size_t n) {
  const std::size_t count = CharCount(s);
  return count <= n ? s : MidChars(s, count - n);
}

std::string TwoDigits(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n % 100);
  return buffer;
}

// "_" and the last character of code.
std::string Underscored(const std::string& code) {
  std::string underscored = "_";
  underscored += LastChars(code, 1);
  return underscored;
}

// "_N" is N, two characters are their value.
int CodeValue(const std::string& code) {
  const std::string digits = code.starts_with('_') ? code.substr(1) : code;
  return store::NumericValue16(digits);
}

}  // namespace

std::string ProfileCode(const std::string& nome_copia) {
  const std::string last_two = LastChars(nome_copia.substr(0, nome_copia.find('.')), 2);
  if (store::NumericValue(last_two) < 10) return Underscored(last_two);
  return last_two;
}

std::string LineCode(int line) {
  const std::string digits = LastChars("00" + std::to_string(line), 2);
  if (line < 10) return Underscored(digits);
  return digits;
}

std::string ArchiveName(int day, int month, const std::string& profile_code,
                        const std::string& line_code) {
  return TwoDigits(day) + TwoDigits(month) + profile_code + line_code + ".ZIP";
}

std::string SearchPattern(const std::string& profile_code) {
  return "????" + profile_code + "??.ZIP";
}

ArchiveNumbers DecodeArchiveName(const std::string& name) {
  const std::string line_code = MidChars(name, 6, 2);
  ArchiveNumbers numbers;
  numbers.profile = CodeValue(MidChars(name, 4, 2));
  numbers.line = line_code == "00" ? 100 : CodeValue(line_code);
  return numbers;
}

}  // namespace runner
