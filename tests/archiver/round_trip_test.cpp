#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <map>

#include "archive_fixture.h"
#include "support/temp_folder.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
using testing_support::TempFolder;

class RoundTrip : public ::testing::Test {
 protected:
  // A tree with what users keep: accented names with spaces, a name without a dot, an empty
  // file and an empty folder, a few MB that compress, a photo that does not, a script, a
  // private folder, and links, one of them pointing back up (a walk that followed it would
  // never end).
  void MakeTree() {
    WriteFile(source_ + "/lettera à Zoë.txt", "Cara Zoë, ti scrivo da Città di Castello.\n");
    WriteFile(source_ + "/sotto cartella/dati senza punto", "senza estensione\n");
    std::string log;
    for (int i = 0; log.size() < 3'000'000; ++i) log += "riga " + std::to_string(i) + ": tutto in ordine\n";
    WriteFile(source_ + "/sotto cartella/grande.log", log);
    WriteFile(source_ + "/foto.jpg", RandomBytes(300'000, 1));
    WriteFile(source_ + "/script.sh", "#!/bin/sh\necho ciao\n");
    WriteFile(source_ + "/vuoto.txt", "");
    std::filesystem::create_directories(source_ + "/vuota");
    std::filesystem::create_directories(source_ + "/privata");
    WriteFile(source_ + "/privata/diario.txt", "caro diario\n");
    ASSERT_EQ(::symlink("lettera à Zoë.txt", (source_ + "/collegamento").c_str()), 0);
    ASSERT_EQ(::symlink("..", (source_ + "/sotto cartella/su").c_str()), 0);

    ::chmod((source_ + "/sotto cartella/dati senza punto").c_str(), 0600);
    ::chmod((source_ + "/script.sh").c_str(), 0755);
    ::chmod((source_ + "/privata").c_str(), 0750);
    std::int64_t mtime = 1'000'000'001;  // odd seconds: MS-DOS times could not keep them
    for (const std::string& path : ListTree(source_)) SetMtime(source_ + "/" + path, mtime += 86'403);
    SetMtime(source_, mtime + 7);
  }

  // Everything below the two folders matches: names, types, contents, link targets, times
  // and permissions.
  void ExpectSameTree(const std::string& original, const std::string& restored) {
    const std::vector<std::string> paths = ListTree(original);
    ASSERT_EQ(ListTree(restored), paths);
    for (const std::string& path : paths) {
      const std::string a = original + "/" + path, b = restored + "/" + path;
      EXPECT_EQ(Mtime(b), Mtime(a)) << path;
      struct stat info;
      ASSERT_EQ(::lstat(a.c_str(), &info), 0);
      if (S_ISLNK(info.st_mode)) {
        EXPECT_EQ(std::filesystem::read_symlink(b), std::filesystem::read_symlink(a)) << path;
      } else {
        EXPECT_EQ(Permissions(b), Permissions(a)) << path;
        if (S_ISREG(info.st_mode)) {
          EXPECT_TRUE(ReadFile(b) == ReadFile(a)) << path;
        }
      }
    }
  }

  TempFolder sandbox_;
  const std::string source_ = sandbox_.path() + "Documenti di Anna";
  const std::string archive_ = sandbox_.path() + "01020304.ZIP";
  const std::string target_ = sandbox_.path() + "ripristino";
};

TEST_F(RoundTrip, TheProgramBacksUpATreeAndRestoresItWhole) {
  MakeTree();
  const auto backup = RunProgram(BackupCommand(archive_, source_));
  ASSERT_EQ(backup.exit_code, 0) << backup.output;
  // Each entry is stored under its absolute path without the leading "/"; what shrinks is
  // deflated, what does not is stored.
  const std::string prefix = source_.substr(1) + "/";
  std::map<std::string, std::int32_t> methods;
  for (const EntryInfo& entry : ReadEntries(archive_)) methods[entry.name] = entry.method;
  EXPECT_EQ(methods[prefix + "sotto cartella/grande.log"], ZIP_CM_DEFLATE);
  EXPECT_EQ(methods[prefix + "foto.jpg"], ZIP_CM_STORE);
  EXPECT_EQ(methods.count(prefix + "vuota/"), 1u);

  const auto restore = RunProgram(RestoreCommand(archive_, target_));
  ASSERT_EQ(restore.exit_code, 0) << restore.output;
  ExpectSameTree(source_, target_ + source_);
  EXPECT_EQ(Mtime(target_ + source_), Mtime(source_));
}

// A restore to "/" puts files back where they were, with their modes. A folder reached through a
// symbolic link (a home under /var/home, a linked Documenti) is stored under its real path, so it
// goes back over its originals; an entry that would pass through the link is still refused, and
// nothing is written through it.
TEST_F(RoundTrip, ARestoreToTheRootPutsFilesBackWhereTheyWereEvenBehindALink) {
  const std::string real = sandbox_.path() + "reale", link = sandbox_.path() + "collegata";
  WriteFile(real + "/Documenti/lettera.txt", "originale");
  WriteFile(real + "/Documenti/sotto/nota.txt", "nota");
  ASSERT_EQ(::chmod((real + "/Documenti/sotto/nota.txt").c_str(), 0600), 0);
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  const auto backup = Backup(archive_, link + "/Documenti/");
  ASSERT_EQ(backup.code, ExitCode::kDone) << backup.messages;

  WriteFile(real + "/Documenti/lettera.txt", "rovinata");
  std::filesystem::remove_all(real + "/Documenti/sotto");
  const auto restore = Restore(archive_, "/");
  EXPECT_EQ(restore.code, ExitCode::kDone) << restore.messages;
  EXPECT_EQ(ReadFile(real + "/Documenti/lettera.txt"), "originale");
  EXPECT_EQ(ReadFile(real + "/Documenti/sotto/nota.txt"), "nota");
  EXPECT_EQ(Permissions(real + "/Documenti/sotto/nota.txt"), 0600u);
  EXPECT_TRUE(std::filesystem::is_symlink(link));

  const std::string through_link = sandbox_.path() + "attraverso.zip";
  WriteHandMadeArchive(through_link, {{link.substr(1) + "/Documenti/lettera.txt", "cattivo", S_IFREG | 0644}});
  EXPECT_EQ(Restore(through_link, "/").code, ExitCode::kSomeFailed);
  EXPECT_EQ(ReadFile(real + "/Documenti/lettera.txt"), "originale");
}

TEST_F(RoundTrip, AnArchiveInsideTheFolderIsNeverPutIntoItself) {
  WriteFile(source_ + "/a.txt", "a");
  const std::string inside = source_ + "/copia.zip";
  ASSERT_EQ(Backup(inside, source_).code, ExitCode::kDone);
  ASSERT_EQ(Backup(inside, source_).code, ExitCode::kDone);
  EXPECT_EQ(EntryNames(inside), (std::vector<std::string>{source_.substr(1) + "/", source_.substr(1) + "/a.txt"}));
}

TEST_F(RoundTrip, AFileThatCannotBeReadIsNamedAndTheOthersAreStillArchived) {
  WriteFile(source_ + "/leggibile.txt", "si legge");
  WriteFile(source_ + "/segreto.txt", "non si legge");
  ::chmod((source_ + "/segreto.txt").c_str(), 0);
  // Root reads everything: the program then runs as "nobody", from a copy in the sandbox
  // since the build folder may be closed to others.
  const bool as_root = ::geteuid() == 0;
  std::string program = ArchiviaPath();
  if (as_root) {
    ::chmod(sandbox_.path().c_str(), 0777);
    ::chmod((source_ + "/leggibile.txt").c_str(), 0644);
    program = sandbox_.path() + "archivia";
    std::filesystem::copy_file(ArchiviaPath(), program);
  }
  const auto run = RunProgram(BackupCommand(archive_, source_, program), as_root);
  EXPECT_EQ(run.exit_code, 1) << run.output;
  EXPECT_NE(run.output.find("impossibile leggere " + source_ + "/segreto.txt: Permesso negato"), std::string::npos)
      << run.output;
  EXPECT_EQ(EntryNames(archive_), (std::vector<std::string>{source_.substr(1) + "/", source_.substr(1) + "/leggibile.txt"}));
}

TEST_F(RoundTrip, AMissingFolderOrAnArchiveThatCannotBeCreatedOrReadIsNothingDone) {
  const auto run = Backup(archive_, sandbox_.path() + "non esiste");
  EXPECT_EQ(run.code, ExitCode::kNothingDone);
  EXPECT_NE(run.messages.find("non esiste: File o directory non esistente"), std::string::npos) << run.messages;
  EXPECT_FALSE(Exists(archive_));

  WriteFile(source_ + "/a.txt", "a");
  const auto nowhere = Backup(sandbox_.path() + "manca/01020304.ZIP", source_);
  EXPECT_EQ(nowhere.code, ExitCode::kNothingDone);
  EXPECT_NE(nowhere.messages.find("impossibile scrivere l'archivio"), std::string::npos) << nowhere.messages;

  WriteFile(archive_, "questo non è un archivio ZIP, ma resta com'è");
  const auto not_zip = Backup(archive_, source_);
  EXPECT_EQ(not_zip.code, ExitCode::kNothingDone);
  EXPECT_NE(not_zip.messages.find("non è un archivio ZIP"), std::string::npos) << not_zip.messages;
  EXPECT_EQ(ReadFile(archive_), "questo non è un archivio ZIP, ma resta com'è");
}

}  // namespace
