// Damaged archives end in a message and a non-zero exit code, never in a crash, and never
// leave a partly extracted file where a good one was.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "archive_fixture.h"
#include "support/temp_folder.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
using testing_support::TempFolder;

class DamagedArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteHandMadeArchive(archive_, {{"primo.txt", std::string(5000, 'x'), archiver::kUnixFile | 0644},
                                    {"secondo.txt", "il contenuto che verrà rovinato", archiver::kUnixFile | 0644},
                                    {"terzo.txt", "intatto", archiver::kUnixFile | 0644}});
    good_ = ReadFile(archive_);
  }

  TempFolder sandbox_;
  const std::string archive_ = sandbox_.path() + "rovinato.zip";
  const std::string target_ = sandbox_.path() + "destinazione";
  std::string good_;
};

TEST_F(DamagedArchive, ABadCrcFailsThatFileOnlyAndKeepsTheOldCopyInPlace) {
  std::string damaged = good_;
  const std::size_t at = damaged.find("verrà rovinato");
  ASSERT_NE(at, std::string::npos);
  damaged[at] ^= 0x20;  // the stored bytes no longer match their CRC
  WriteFile(archive_, damaged);
  WriteFile(target_ + "/secondo.txt", "la copia di ieri");

  const auto run = Restore(archive_, target_);
  EXPECT_EQ(run.code, ExitCode::kSomeFailed);
  EXPECT_NE(run.messages.find("secondo.txt: dati danneggiati (CRC errato)"), std::string::npos) << run.messages;
  EXPECT_EQ(ReadFile(target_ + "/secondo.txt"), "la copia di ieri");
  EXPECT_EQ(ReadFile(target_ + "/terzo.txt"), "intatto");
  EXPECT_EQ(ListTree(target_), (std::vector<std::string>{"primo.txt", "secondo.txt", "terzo.txt"}));  // no temporary
}

// Fault guarded: an entry that inflated to more or fewer bytes than its declared size was
// restored as a success, since the CRC of the data matched.
TEST_F(DamagedArchive, ADeclaredSizeThatDiffersFromTheDataFailsEvenWithTheRightCrc) {
  const std::string data(3000, 'z');
  for (const std::uint32_t declared : {2999u, 3001u, 0u}) {
    WriteHandMadeArchive(archive_, {{"compresso.txt", data, archiver::kUnixFile | 0644, 3, {}, {}, true},
                                    {"terzo.txt", "intatto", archiver::kUnixFile | 0644}});
    std::string damaged = ReadFile(archive_);
    // The uncompressed size sits 22 bytes into the local header and 24 into the central one;
    // the name follows them at 30 and 46.
    for (std::size_t at = damaged.find("compresso.txt"); at != std::string::npos;
         at = damaged.find("compresso.txt", at + 1)) {
      const std::size_t size_at = damaged.compare(at - 30, 4, "PK\3\4") == 0 ? at - 30 + 22 : at - 46 + 24;
      for (int i = 0; i < 4; ++i) damaged[size_at + i] = static_cast<char>(declared >> (8 * i));
    }
    WriteFile(archive_, damaged);
    WriteFile(target_ + "/compresso.txt", "la copia di ieri");

    const auto run = Restore(archive_, target_);
    EXPECT_EQ(run.code, ExitCode::kSomeFailed) << declared;
    EXPECT_NE(run.messages.find("compresso.txt: dati danneggiati (dimensione errata)"), std::string::npos)
        << run.messages;
    EXPECT_EQ(ReadFile(target_ + "/compresso.txt"), "la copia di ieri") << declared;
    EXPECT_EQ(ListTree(target_), (std::vector<std::string>{"compresso.txt", "terzo.txt"}));  // no temporary
  }
}

// Fault guarded: an entry in a method libzip cannot read was refused without naming the method,
// so the user could not tell which program opens it.
TEST_F(DamagedArchive, EntriesInMethodsWeCannotReadNameTheMethodAndTheOthersRestore) {
  const std::pair<std::uint16_t, std::string> methods[] = {
      {14, "LZMA"}, {9, "Deflate64"}, {93, "Zstandard"}, {95, "XZ"}, {77, "sconosciuto"}};
  std::vector<ForeignEntry> entries{{"terzo.txt", "intatto"}};
  for (const auto& [method, name] : methods) entries.push_back({name, "?", 0, 0x20, "", method});
  WriteForeignArchive(archive_, entries);
  const auto run = Restore(archive_, target_);
  EXPECT_EQ(run.code, ExitCode::kSomeFailed);
  for (const auto& [method, name] : methods)
    EXPECT_NE(run.messages.find("\"" + name + "\": metodo di compressione non supportato: " + name + " (" +
                                std::to_string(method) + ")"),
              std::string::npos)
        << run.messages;
  EXPECT_EQ(ListTree(target_), std::vector<std::string>{"terzo.txt"});
}

TEST_F(DamagedArchive, ATruncatedOrMissingArchiveOrATargetThatCannotBeMadeIsNothingDone) {
  WriteFile(sandbox_.path() + "un file", "non una cartella");
  const auto no_target = Restore(archive_, sandbox_.path() + "un file/sotto");
  EXPECT_EQ(no_target.code, ExitCode::kNothingDone);
  EXPECT_NE(no_target.messages.find("impossibile creare la cartella di destinazione"), std::string::npos)
      << no_target.messages;
  for (const std::size_t kept : {good_.size() - 10, good_.size() / 2, std::size_t{3}, std::size_t{0}}) {
    WriteFile(archive_, good_.substr(0, kept));
    const auto run = Restore(archive_, target_);
    EXPECT_EQ(run.code, ExitCode::kNothingDone) << kept;
    EXPECT_NE(run.messages.find("impossibile leggere l'archivio " + archive_), std::string::npos) << run.messages;
  }
  std::filesystem::remove(archive_);
  const auto missing = RunProgram(RestoreCommand(archive_, target_));
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.output.find("File o directory non esistente"), std::string::npos) << missing.output;
  EXPECT_FALSE(Exists(target_ + "/primo.txt"));
}

TEST_F(DamagedArchive, EveryFlippedByteEndsInAnExitCodeAndNeverInWrongData) {
  // Each run goes through libzip's parsing and our checks with one byte wrong somewhere:
  // local headers, data, central directory and end record alike.
  const std::set<std::string> contents = {std::string(5000, 'x'), "il contenuto che verrà rovinato", "intatto"};
  for (std::size_t at = 0; at < good_.size(); at += 13) {
    std::string damaged = good_;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
    WriteFile(archive_, damaged);
    std::filesystem::remove_all(target_);
    const auto run = Restore(archive_, target_);
    if (run.code != ExitCode::kDone) continue;
    // The byte changed something no check covers, such as a time or a name: data must be right.
    for (const std::string& path : ListTree(target_)) {
      if (path.back() == '/') continue;
      EXPECT_EQ(contents.count(ReadFile(target_ + "/" + path)), 1u) << "byte " << at << ", " << path;
    }
  }
}

}  // namespace
