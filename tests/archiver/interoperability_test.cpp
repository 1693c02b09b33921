// Our archives read in Info-ZIP's unzip and in Python; Info-ZIP's archives read in ours.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "archive_fixture.h"
#include "linux/started_program.h"
#include "support/temp_folder.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
using testing_support::TempFolder;

class Interoperability : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(source_ + "/è un testo.txt", "testo accentato àèìòù\n");
    std::string lines;
    for (int i = 0; i < 50000; ++i) lines += "riga " + std::to_string(i) + "\n";
    WriteFile(source_ + "/sotto/righe.txt", lines);
    WriteFile(source_ + "/sotto/casuale.bin", RandomBytes(100'000, 7));
    std::filesystem::create_directories(source_ + "/vuota");
    ASSERT_EQ(::symlink("sotto/righe.txt", (source_ + "/collegamento").c_str()), 0);
    SetMtime(source_ + "/sotto/righe.txt", 1'234'567'891);
  }

  // Info-ZIP's zip -r from the sandbox, so names are relative as it makes them.
  ProcessResult ZipSource(const std::string& options) {
    return RunProgram({"sh", "-c", "cd \"$0\" && zip " + options + " \"$1\" sorgente", sandbox_.path(), archive_});
  }

  TempFolder sandbox_;
  const std::string source_ = sandbox_.path() + "sorgente";
  const std::string archive_ = sandbox_.path() + "archivio.zip";
  const std::string target_ = sandbox_.path() + "destinazione";
};

TEST_F(Interoperability, InfoZipTestsOurArchiveAndExtractsTheSameFiles) {
  if (!ToolExists("unzip")) GTEST_SKIP() << "unzip is not installed";
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  const auto tested = RunProgram({"unzip", "-t", archive_});
  EXPECT_EQ(tested.exit_code, 0) << tested.output;
  EXPECT_NE(tested.output.find("No errors detected"), std::string::npos) << tested.output;

  const auto extracted = RunProgram({"unzip", "-q", archive_, "-d", target_});
  ASSERT_EQ(extracted.exit_code, 0) << extracted.output;
  const std::string restored = target_ + source_;
  EXPECT_EQ(ReadFile(restored + "/è un testo.txt"), "testo accentato àèìòù\n");
  EXPECT_TRUE(ReadFile(restored + "/sotto/casuale.bin") == ReadFile(source_ + "/sotto/casuale.bin"));
  EXPECT_EQ(Mtime(restored + "/sotto/righe.txt"), 1'234'567'891);  // from the extended timestamp
  EXPECT_EQ(std::filesystem::read_symlink(restored + "/collegamento"), "sotto/righe.txt");
}

TEST_F(Interoperability, PythonReadsOurArchiveWithItsNamesModesAndData) {
  if (!ToolExists("python3")) GTEST_SKIP() << "python3 is not installed";
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  const std::string script =
      "import sys, zipfile\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "assert z.testzip() is None\n"
      "for i in z.infolist():\n"
      "    print(i.filename, oct(i.external_attr >> 16), len(z.read(i)))\n";
  const auto run = RunProgram({"python3", "-c", script, archive_});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const std::string prefix = source_.substr(1) + "/";
  EXPECT_NE(run.output.find(prefix + "è un testo.txt 0o100644 27\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(prefix + "sotto/casuale.bin 0o100644 100000\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(prefix + "vuota/ 0o40755 0\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(prefix + "collegamento 0o120777 15\n"), std::string::npos) << run.output;
}

TEST_F(Interoperability, WeExtractWhatInfoZipArchived) {
  if (!ToolExists("zip")) GTEST_SKIP() << "zip is not installed";
  const auto zipped = ZipSource("-q -r -y");  // -y keeps the link as a link
  ASSERT_EQ(zipped.exit_code, 0) << zipped.output;
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  EXPECT_EQ(ListTree(target_ + "/sorgente"), ListTree(source_));
  EXPECT_TRUE(ReadFile(target_ + "/sorgente/sotto/righe.txt") == ReadFile(source_ + "/sotto/righe.txt"));
  EXPECT_EQ(Mtime(target_ + "/sorgente/sotto/righe.txt"), 1'234'567'891);
  EXPECT_EQ(std::filesystem::read_symlink(target_ + "/sorgente/collegamento"), "sotto/righe.txt");
}

// Fault guarded: other tools write the timestamp field's four bytes unsigned, so times after
// January 2038 came back as 1901. Our own archives hold times before 1970 there as negative
// numbers; the MS-DOS date beside the field tells the two apart.
TEST_F(Interoperability, TimesAfter2038FromOtherToolsAreNotReadAs1901) {
  constexpr std::int64_t k2040 = 2'208'988'800, k2106 = 4'294'967'294, k1969 = -86'400;
  WriteHandMadeArchive(archive_, {{"2040.txt", "", S_IFREG | 0644, 3, k2040, static_cast<std::uint32_t>(k2040)},
                                  {"2106.txt", "", S_IFREG | 0644, 3, k2106, static_cast<std::uint32_t>(k2106)},
                                  {"1969.txt", "", S_IFREG | 0644, 3, k1969, static_cast<std::uint32_t>(k1969)}});
  ASSERT_EQ(Restore(archive_, target_).code, ExitCode::kDone);
  EXPECT_EQ(Mtime(target_ + "/2040.txt"), k2040);
  EXPECT_EQ(Mtime(target_ + "/2106.txt"), k2106);
  EXPECT_EQ(Mtime(target_ + "/1969.txt"), k1969);

  if (!ToolExists("zip")) return;  // the hand-made archive above already holds such times
  SetMtime(source_ + "/sotto/righe.txt", k2040);
  std::filesystem::remove(archive_);
  const auto zipped = ZipSource("-q -r");
  ASSERT_EQ(zipped.exit_code, 0) << zipped.output;
  ASSERT_EQ(Restore(archive_, target_).code, ExitCode::kDone);
  EXPECT_EQ(Mtime(target_ + "/sorgente/sotto/righe.txt"), k2040);
}

}  // namespace
