#include "archiver/command_arguments.h"

#include "archiver/windows/win32.h"  // windows.h, which shellapi.h needs first

#include <shellapi.h>

namespace archiver {

// The C library's argv is in the ANSI code page, which cannot hold every file name: the
// arguments are read again from the UTF-16 command line.
std::vector<std::string> CommandArguments(int, char**) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(win32::Narrow(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace archiver
