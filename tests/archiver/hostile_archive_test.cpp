// Archives made to write outside the target: nothing may land there, each such entry is
// named, and the run ends with a non-zero exit code.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "archive_fixture.h"
#include "support/temp_folder.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
using testing_support::TempFolder;

// Systems in an entry's "version made by".
constexpr std::uint8_t kMsDos = 0, kWindows = 10;

class HostileArchive : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(outside_); }

  // The folder beside the target that no entry may reach stays empty.
  void ExpectOutsideUntouched() { EXPECT_EQ(ListTree(outside_), std::vector<std::string>{}); }

  TempFolder sandbox_;
  const std::string archive_ = sandbox_.path() + "ostile.zip";
  const std::string target_ = sandbox_.path() + "destinazione";
  const std::string outside_ = sandbox_.path() + "fuori";
};

TEST_F(HostileArchive, NamesThatClimbOutAndDevicesAreRefusedAndTheRestIsExtractedWithoutSpecialBits) {
  // A "\" separates folders only in entries made on MS-DOS or Windows.
  const std::vector<HandMadeEntry> hostile = {{"../fuori/uno", "cattivo", S_IFREG | 0644},
                                              {"a/../../fuori/due", "cattivo", S_IFREG | 0644},
                                              {"..\\fuori\\tre", "cattivo", std::nullopt, kMsDos},
                                              {"C:/fuori/quattro", "cattivo", S_IFREG | 0644},
                                              {"c:\\fuori\\cinque", "cattivo", std::nullopt, kWindows},
                                              {"\\fuori\\sei", "cattivo", std::nullopt, kMsDos},
                                              {outside_ + "/sette", "cattivo", S_IFREG | 0644},
                                              {"a/b/../../../fuori/otto", "cattivo", S_IFREG | 0644},
                                              {"a\\..\\..\\fuori\\nove", "cattivo", std::nullopt, kWindows}};
  std::vector<HandMadeEntry> entries = {{"buono.txt", "buono", S_IFREG | 0644}};
  entries.insert(entries.end(), hostile.begin(), hostile.end());
  entries.push_back({"ultimo.txt", "anche questo", S_IFREG | 0644});
  // Devices and fifos are refused too, and special permission bits dropped.
  entries.push_back({"dispositivo", "", S_IFCHR | 0666});
  entries.push_back({"coda", "", S_IFIFO | 0666});
  entries.push_back({"programma", "#!/bin/sh\n", S_IFREG | 06755});
  entries.push_back({"condivisa/", "", S_IFDIR | 01777});
  WriteHandMadeArchive(archive_, entries);

  const auto run = Restore(archive_, target_);
  EXPECT_EQ(run.code, ExitCode::kSomeFailed);
  for (const HandMadeEntry& entry : hostile)
    EXPECT_NE(run.messages.find("voce rifiutata \"" + entry.name + "\""), std::string::npos)
        << entry.name << "\n" << run.messages;
  EXPECT_NE(run.messages.find("\"dispositivo\""), std::string::npos) << run.messages;
  EXPECT_NE(run.messages.find("\"coda\""), std::string::npos) << run.messages;
  ExpectOutsideUntouched();
  EXPECT_EQ(ListTree(target_), (std::vector<std::string>{"buono.txt", "condivisa/", "programma", "ultimo.txt"}));
  EXPECT_EQ(ReadFile(target_ + "/ultimo.txt"), "anche questo");
  EXPECT_EQ(Permissions(target_ + "/programma"), 0755u);
  EXPECT_EQ(Permissions(target_ + "/condivisa"), 0777u);
}

// Fault guarded: "..\x" and "a\b" are legal Linux names that were backed up but could never be
// restored, while Windows folders written with "\" came out as one file with a strange name.
TEST_F(HostileArchive, BackslashSeparatesFoldersOnlyInNamesMadeOnWindows) {
  WriteHandMadeArchive(archive_, {{"casa/..\\x", "punti e barra", S_IFREG | 0644},
                                  {"casa/a\\b", "barra rovescia", S_IFREG | 0600},
                                  {"\\iniziale", "all'inizio", S_IFREG | 0644},
                                  {"documenti\\lettera.txt", "da Windows", std::nullopt, kWindows},
                                  {"..\\evil", "cattivo", std::nullopt, kMsDos}});
  const auto run = Restore(archive_, target_);
  EXPECT_EQ(run.code, ExitCode::kSomeFailed);
  EXPECT_NE(run.messages.find("voce rifiutata \"..\\evil\""), std::string::npos) << run.messages;
  EXPECT_EQ(ListTree(target_), (std::vector<std::string>{"\\iniziale", "casa/", "casa/..\\x", "casa/a\\b",
                                                         "documenti/", "documenti/lettera.txt"}));
  EXPECT_EQ(ReadFile(target_ + "/casa/..\\x"), "punti e barra");
  EXPECT_EQ(Permissions(target_ + "/casa/a\\b"), 0600u);
  EXPECT_EQ(ReadFile(target_ + "/documenti/lettera.txt"), "da Windows");
  ExpectOutsideUntouched();
}

// Through a link the archive makes, before or after the entries below it, or one already in the
// target: the links themselves are harmless and are made or kept.
TEST_F(HostileArchive, NothingIsWrittenThroughALinkOfTheArchiveOrOfTheTarget) {
  std::filesystem::create_directories(target_ + "/casa");
  ASSERT_EQ(::symlink(outside_.c_str(), (target_ + "/casa/scorciatoia").c_str()), 0);
  ASSERT_EQ(::symlink(outside_.c_str(), (target_ + "/tutto").c_str()), 0);
  WriteHandMadeArchive(archive_, {{"prima/passaggio", outside_, S_IFLNK | 0777},
                                  {"prima/passaggio/uno", "cattivo", S_IFREG | 0644},
                                  {"dopo/passaggio/due", "cattivo", S_IFREG | 0644},
                                  {"dopo/passaggio", outside_, S_IFLNK | 0777},
                                  {"dopo/passaggio/sotto/", "", S_IFDIR | 0755},
                                  {"casa/scorciatoia/tre", "cattivo", S_IFREG | 0644},
                                  {"tutto/", "", S_IFDIR | 0755},
                                  {"tutto/quattro", "cattivo", S_IFREG | 0644},
                                  {"casa/buono.txt", "buono", S_IFREG | 0644}});
  const auto run = Restore(archive_, target_);
  EXPECT_EQ(run.code, ExitCode::kSomeFailed);
  for (const char* refused : {"\"prima/passaggio/uno\"", "\"dopo/passaggio/due\""})
    EXPECT_NE(run.messages.find(refused), std::string::npos) << refused << "\n" << run.messages;
  EXPECT_NE(run.messages.find("collegamento simbolico " + target_ + "/casa/scorciatoia"), std::string::npos)
      << run.messages;
  ExpectOutsideUntouched();
  EXPECT_EQ(std::filesystem::read_symlink(target_ + "/prima/passaggio"), outside_);
  EXPECT_EQ(ReadFile(target_ + "/casa/buono.txt"), "buono");
}

}  // namespace
