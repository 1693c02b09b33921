// Restore time grows with the length of entry names, not with its square: twenty entries
// 32,000 folders deep once took 80 seconds before the first file was written.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

#include "archive_fixture.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;

constexpr int kEntriesEach = 40;

// Processor time, user and system, this process has used: unlike the wall clock it does not
// grow when other programs share the machine.
double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class DeepPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    // In memory when the system offers it: thousands of nested folders on a busy disk take
    // minutes to make and remove, and the disk is not what is measured.
    std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/faldone-profondo-XXXXXX"
                                                          : "/tmp/faldone-profondo-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    sandbox_ = pattern;
    archive_ = sandbox_ + "/profondo.zip";
    target_ = sandbox_ + "/destinazione";
  }

  // Far deeper than any path the system calls take whole: only a walk by descriptors removes it.
  void TearDown() override { RunProgram({"rm", "-rf", sandbox_}); }

  // Restores, depth folders down, a link with entries below it (refused, after a search for
  // links above every entry) and files beside it; returns the processor time it took.
  double RestoreSeconds(int depth) {
    std::string folder = "a/";
    for (int i = 1; i < depth; ++i) folder += "p/";
    std::vector<HandMadeEntry> entries = {{folder, "", S_IFDIR | 0755}, {folder + "l", "altrove", S_IFLNK | 0777}};
    for (int i = 0; i < kEntriesEach; ++i) {
      entries.push_back({folder + "l/sotto" + std::to_string(i), "cattivo", S_IFREG | 0644});
      entries.push_back({folder + "accanto" + std::to_string(i), "buono", S_IFREG | 0644});
    }
    WriteHandMadeArchive(archive_, entries);
    RunProgram({"rm", "-rf", target_});

    const double start = CpuSeconds();
    const auto run = Restore(archive_, target_);
    const double seconds = CpuSeconds() - start;
    EXPECT_EQ(run.code, ExitCode::kSomeFailed);
    std::size_t refused = 0;
    for (std::size_t at = run.messages.find("passa per un collegamento"); at != std::string::npos;
         at = run.messages.find("passa per un collegamento", at + 1))
      ++refused;
    EXPECT_EQ(refused, static_cast<std::size_t>(kEntriesEach)) << "depth " << depth;
    return seconds;
  }

  std::string sandbox_, archive_, target_;
};

TEST_F(DeepPaths, RestoreTimeGrowsLinearlyWithTheDepth) {
  const double shallow = RestoreSeconds(4'000);
  const double deep = RestoreSeconds(16'000);
  std::cout << "depth 4,000: " << shallow << " s, depth 16,000: " << deep << " s of processor time\n";
  // Four times the depth costs four times as much when linear, sixteen times when quadratic;
  // the allowance covers the noise of short runs on a shared machine.
  EXPECT_LT(deep, 8 * shallow + 0.5);
}

}  // namespace
