// A small program the process tests start in place of the archiver, the same on every system.
// Its arguments are steps, done in order:
//   exit N               end with code N
//   sleep MS             wait MS milliseconds
//   wait-for PATH        wait until the file PATH exists
//   say TEXT             write TEXT and a line end to standard error
//   out TEXT             write TEXT and a line end to standard output
//   flood N              write N bytes of text without line ends to standard output
//   touch PATH           create the file PATH
//   exit-if-exists PATH N  end with code N when PATH exists
//   read-input           read standard input to its end
//   exit-if-open N V     end with code N when V is an open descriptor (on Windows a handle
//                        to a file whose name holds "eredita")
//   record PATH          write every argument after PATH to the file PATH, each ended by a
//                        NUL byte, and end with 0
// Without steps it ends with 0. Started as the archiver ("-min -a ..." or "-min -e ..."), it
// writes its arguments as "record" does into the archive, its first argument without "-".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#endif

#include "support/program_arguments.h"

namespace {

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Whether value is open here. On Windows a handle's number may be reused by one of this
// program's own, so only a file whose name holds "eredita" counts.
bool IsOpen(long long value) {
#ifdef _WIN32
  const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(value));
  wchar_t name[MAX_PATH + 1] = L"";
  return ::GetFinalPathNameByHandleW(handle, name, MAX_PATH, FILE_NAME_NORMALIZED) != 0 &&
         std::wstring(name).find(L"eredita") != std::wstring::npos;
#else
  return ::fcntl(static_cast<int>(value), F_GETFD) != -1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = testing_support::ProgramArguments(argc, argv);
  args.erase(args.begin());  // the program itself
  if (!args.empty() && args[0] == "-min") {
    for (const std::string& arg : args)
      if (!arg.starts_with('-')) {
        args.insert(args.begin(), {"record", arg});
        break;
      }
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& step = args[i];
    auto next = [&]() -> std::string { return i + 1 < args.size() ? args[++i] : std::string(); };
    if (step == "exit") {
      return std::atoi(next().c_str());
    } else if (step == "sleep") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(next().c_str())));
    } else if (step == "wait-for") {
      const std::filesystem::path path = PathOf(next());
      while (!std::filesystem::exists(path)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else if (step == "say") {
      std::cerr << next() << "\n" << std::flush;
    } else if (step == "out") {
      std::cout << next() << "\n" << std::flush;
    } else if (step == "flood") {
      std::cout << std::string(std::atoi(next().c_str()), 'x') << std::flush;
    } else if (step == "touch") {
      std::ofstream(PathOf(next()));
    } else if (step == "exit-if-exists") {
      const std::string path = next();
      const int code = std::atoi(next().c_str());
      if (std::filesystem::exists(PathOf(path))) return code;
    } else if (step == "read-input") {
      std::string ignored;
      while (std::getline(std::cin, ignored)) {}
    } else if (step == "exit-if-open") {
      const int code = std::atoi(next().c_str());
      if (IsOpen(std::atoll(next().c_str()))) return code;
    } else if (step == "record") {
      std::ofstream out(PathOf(next()), std::ios::binary);
      while (++i < args.size()) out << args[i] << '\0';
      return 0;
    } else {
      std::cerr << "passo sconosciuto: " << step << "\n";
      return 99;
    }
  }
  return 0;
}
