// Restore time grows with the length of entry names, not with its square: twenty entries
// 32,000 folders deep once took 80 seconds before the first file was written.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "archive_fixture.h"
#include "support/temp_folder.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
using testing_support::TempFolder;

constexpr int kChains = 4;

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
  ~DeepPaths() override {
    // Far deeper than any path the system calls take whole: only a walk by descriptors removes it.
    RunProgram({"rm", "-rf", target_});
  }

  // Restores kChains chains of depth folders, each with a folder entry and a file at its
  // bottom, beside a link (entries below links are looked for); returns the processor time.
  double RestoreSeconds(int depth) {
    std::vector<HandMadeEntry> entries = {{"collegamento", "altrove", S_IFLNK | 0777}};
    for (int chain = 0; chain < kChains; ++chain) {
      std::string folder = std::to_string(chain) + "/";
      for (int i = 1; i < depth; ++i) folder += "p/";
      entries.push_back({folder, "", S_IFDIR | 0755});
      entries.push_back({folder + "fondo.txt", "in fondo", S_IFREG | 0644});
    }
    WriteHandMadeArchive(archive_, entries);
    RunProgram({"rm", "-rf", target_});
    const double start = CpuSeconds();
    const auto run = Restore(archive_, target_);
    const double seconds = CpuSeconds() - start;
    EXPECT_EQ(run.code, ExitCode::kDone) << run.messages.substr(0, 500);
    return seconds;
  }

  TempFolder sandbox_;
  const std::string archive_ = sandbox_.path() + "profondo.zip";
  const std::string target_ = sandbox_.path() + "destinazione";
};

TEST_F(DeepPaths, RestoreTimeGrowsLinearlyWithTheDepth) {
  const double shallow = RestoreSeconds(4'000);
  const double deep = RestoreSeconds(16'000);
  std::cout << "depth 4,000: " << shallow << " s, depth 16,000: " << deep << " s of processor time\n";
  // Four times the depth costs four times as much when linear, sixteen times when quadratic.
  // The allowance covers the noise of short runs on a shared machine.
  EXPECT_LT(deep, 8 * shallow + 0.5);
}

}  // namespace
