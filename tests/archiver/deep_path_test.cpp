// Fault guarded: restore time grew with the square of the names' length.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <ctime>

#include "archive_fixture.h"

namespace {

using namespace archiver_test;

// A link with entries below it (refused) and files beside it, depth folders down; in memory if it can.
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
  const std::clock_t start = std::clock();  // processor time, which other programs on the machine leave alone
  const Run run = Restore(sandbox + "/profondo.zip", sandbox + "/destinazione");
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
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
  // Four times the depth: four times the cost when linear, sixteen when quadratic.
  EXPECT_LT(deep, 8 * shallow + 0.5) << "depth 4,000: " << shallow << " s, 16,000: " << deep << " s";
}

}  // namespace
