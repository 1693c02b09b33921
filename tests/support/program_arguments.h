#pragma once

// A test program's arguments as UTF-8: on Windows main's narrow ones pass through the ANSI code page.

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace testing_support {

inline std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc, (void)argv;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();  // the closing NUL
    arguments.push_back(utf8);
  }
  ::LocalFree(wide);
  return arguments;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

}  // namespace testing_support
