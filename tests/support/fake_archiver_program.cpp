// Stands in for the archiver, the same program on every system (see fake_archiver.h).
// Started as the archiver ("-min ..."): appends its arguments, each followed by "|", and a line
// end to the file "runs" beside it; writes the file "progress" beside it to standard output;
// waits the seconds in the file "sleep" beside it; ends with 1 when an argument holds "guasta".
// Otherwise its arguments are steps, done in order:
//   exit N | sleep MS | wait-for PATH | touch PATH | exit-if-exists PATH N | read-input
//   say TEXT (a line to standard error) | out TEXT (a line to standard output)
//   flood N (N bytes without line ends to standard output)
//   exit-if-open V N: end with N when V is open here (on Windows only a handle to a file whose
//   name holds "eredita" counts, since a handle's number may be reused by one of our own)
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
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

int AsArchiver(const std::vector<std::string>& args) {
  const std::filesystem::path folder = PathOf(args.at(0)).parent_path();
  bool broken = false;
  {
    std::ofstream runs(folder / "runs", std::ios::binary | std::ios::app);
    for (std::size_t i = 1; i < args.size(); ++i) {
      runs << args[i] << '|';
      broken = broken || args[i].find("guasta") != std::string::npos;
    }
    runs << '\n';
  }
  std::ifstream progress(folder / "progress", std::ios::binary);
  std::cout << std::string(std::istreambuf_iterator<char>(progress), {}) << std::flush;
  double seconds = 0;
  std::ifstream(folder / "sleep") >> seconds;
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  return broken ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = testing_support::ProgramArguments(argc, argv);
  if (args.size() > 1 && args[1] == "-min") return AsArchiver(args);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& step = args[i];
    auto next = [&]() -> std::string { return i + 1 < args.size() ? args[++i] : std::string(); };
    if (step == "exit") return std::atoi(next().c_str());
    else if (step == "sleep") std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(next().c_str())));
    else if (step == "say") std::cerr << next() << "\n" << std::flush;
    else if (step == "out") std::cout << next() << "\n" << std::flush;
    else if (step == "flood") std::cout << std::string(std::atoi(next().c_str()), 'x') << std::flush;
    else if (step == "touch") std::ofstream{PathOf(next())};
    else if (step == "read-input") std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    else if (step == "wait-for") {
      const std::filesystem::path path = PathOf(next());
      while (!std::filesystem::exists(path)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else if (step == "exit-if-exists" || step == "exit-if-open") {
      const std::string what = next();
      const int code = std::atoi(next().c_str());
      if (step == "exit-if-exists" ? std::filesystem::exists(PathOf(what)) : IsOpen(std::atoll(what.c_str())))
        return code;
    } else {
      std::cerr << "passo sconosciuto: " << step << "\n";
      return 99;
    }
  }
  return 0;
}
