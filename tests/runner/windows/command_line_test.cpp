#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/windows/wide.h"

namespace {

using Words = std::vector<std::string>;

// How a Windows program reads its command line back into arguments.
Words ReadBack(const std::string& command_line) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(platform::windows::Widen(command_line).c_str(), &count);
  Words words;
  for (int i = 0; i < count; ++i) words.push_back(platform::windows::Narrow(wide[i]));
  ::LocalFree(wide);
  return words;
}

TEST(WindowsCommandLine, WindowsReadsBackEveryArgumentAsItWas) {
  const Words cases[] = {
      {"C:\\Programmi\\Faldone\\archivia.exe", "-min", "-e", "-o", "C:\\FALDONE\\0503_1_1.ZIP", "C:\\TMP\\"},
      {"C:\\Program Files\\Faldone\\archivia.exe", "C:\\Foto di città\\*.*", "\\\\server\\dati\\"},
      {"p", "", "\"", "dice \"ciao\"", "\\\"", "a\\\\\"b", "fine\\", "fine\\\\", "a\\b c\\d", "\t", "漢字 😀"}};
  for (const Words& argv : cases) {
    const auto line = platform::process::WindowsCommandLine(argv);
    ASSERT_TRUE(line);
    EXPECT_EQ(ReadBack(*line), argv) << *line;
  }
}

}  // namespace
