// Restore time grows with the length of entry names, not with its square: twenty entries
// 32,000 folders deep once took 80 seconds before the first file was written.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <iostream>

#include "archive_fixture.h"

namespace {

using namespace archiver_test;

// Processor time, user and system, this process has used: unlike the wall clock it does not
// grow when other programs share the machine.
double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Restores, depth folders down, a link with entries below it (refused, after a search for links
// above every entry) and files beside it; returns the processor time it took. In memory when the
// system offers it: thousands of nested folders on a busy disk take minutes to make and remove.
double RestoreSeconds(int depth) {
  std::string sandbox = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/faldone-profondo-XXXXXX" : "/tmp/faldone-profondo-XXXXXX";
  if (::mkdtemp(sandbox.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  std::string folder = "a/";
  for (int i = 1; i < depth; ++i) folder += "p/";
  std::vector<HandMadeEntry> entries = {{folder, "", archiver::kUnixFolder | 0755},
                                        {folder + "l", "altrove", archiver::kUnixLink | 0777}};
  for (int i = 0; i < 40; ++i) {
    entries.push_back({folder + "l/sotto" + std::to_string(i), "cattivo", archiver::kUnixFile | 0644});
    entries.push_back({folder + "accanto" + std::to_string(i), "buono", archiver::kUnixFile | 0644});
  }
  WriteHandMadeArchive(sandbox + "/profondo.zip", entries);
  const double start = CpuSeconds();
  const Run run = Restore(sandbox + "/profondo.zip", sandbox + "/destinazione");
  const double seconds = CpuSeconds() - start;
  RunProgram({"rm", "-rf", sandbox});  // far deeper than any path the system calls take whole
  EXPECT_EQ(run.code, archiver::ExitCode::kSomeFailed);
  int refused = 0;
  for (std::size_t at = 0; (at = run.messages.find("passa per un collegamento", at)) != std::string::npos; ++at) ++refused;
  EXPECT_EQ(refused, 40) << "depth " << depth;
  return seconds;
}

TEST(DeepPaths, RestoreTimeGrowsLinearlyWithTheDepth) {
  const double shallow = RestoreSeconds(4'000);
  const double deep = RestoreSeconds(16'000);
  std::cout << "depth 4,000: " << shallow << " s, depth 16,000: " << deep << " s of processor time\n";
  // Four times the depth costs four times as much when linear, sixteen times when quadratic;
  // the allowance covers the noise of short runs on a shared machine.
  EXPECT_LT(deep, 8 * shallow + 0.5);
}

}  // namespace
