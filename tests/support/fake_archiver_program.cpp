// Stands in for the archiver. Started as the archiver ("-min ..."), it does what fake_archiver.h says;
// otherwise its arguments are steps, in order: exit N | sleep MS | wait-for PATH | touch PATH |
// exit-if-exists PATH N | read-input | say TEXT (a line to standard error) | out TEXT (to standard
// output) | flood N (N bytes, no line end) | exit-if-open V N (on Windows only a handle to a file
// named "eredita..." counts: a handle's number may be reused by one of our own).
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
#include <shellapi.h>
#else
#include <fcntl.h>
#endif

#include "support/temp_folder.h"

namespace {

using testing_support::PathOf;

// The arguments as UTF-8: on Windows main's narrow ones pass through the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
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
  const std::vector<std::string> args = ProgramArguments(argc, argv);
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
