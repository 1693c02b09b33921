// Stands in for the archiver where a test cares about what is run rather than about archives,
// the same program on every system. Each run appends its arguments, each followed by "|", and a
// line end to the file "runs" beside the program; writes the file "progress" beside it, when
// there is one, to its standard output; waits the seconds written in the file "sleep" beside it
// (none when it is missing); and ends with 1 ("some files failed") when an argument holds
// "guasta".
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>

#include "support/program_arguments.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = testing_support::ProgramArguments(argc, argv);
  const std::string& self = args.at(0);
  const std::filesystem::path folder =
      std::filesystem::path(std::u8string(self.begin(), self.end())).parent_path();
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
