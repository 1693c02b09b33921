// Trees backed up and restored whole, through a link, over what is there and by other tools.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "archive_fixture.h"
#include "archiver/item_error.h"
#include "archiver/linux/unique_fd.h"
#include "archiver/target_tree.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
namespace fs = std::filesystem;

// Root may do anything: refusals run as "nobody", from a copy, as the build folder may be closed.
std::string ProgramForNobody(const std::string& root, const std::string& folder) {
  for (const std::string& path : {root, folder}) ::chmod(path.c_str(), 0777);
  fs::copy_file(ArchiviaPath(), root + "archivia");
  return root + "archivia";
}

TEST_F(Sandbox, TheProgramBacksUpATreeAndRestoresItWholeAndExchangesArchivesWithInfoZip) {
  // Accented names, no dot, empty file and folder, modes, a link and one back up, odd seconds.
  WriteFile(source_ + "/lettera à Zoë.txt", "Cara Zoë, ti scrivo da Città di Castello.\n");
  WriteFile(source_ + "/sotto cartella/dati senza punto", "senza estensione\n");
  WriteFile(source_ + "/sotto cartella/grande.log", CompressibleText(3'000'000, 1));
  WriteFile(source_ + "/foto.jpg", RandomBytes(300'000, 1));
  WriteFile(source_ + "/script.sh", "#!/bin/sh\necho ciao\n");
  WriteFile(source_ + "/vuoto.txt", "");
  WriteFile(source_ + "/privata/diario.txt", "caro diario\n");
  fs::create_directories(source_ + "/vuota");
  fs::create_symlink("lettera à Zoë.txt", source_ + "/collegamento");
  fs::create_symlink("..", source_ + "/sotto cartella/su");
  fs::permissions(source_ + "/sotto cartella/dati senza punto", fs::perms(0600));
  fs::permissions(source_ + "/script.sh", fs::perms(0755));
  fs::permissions(source_ + "/privata", fs::perms(0750));
  std::int64_t mtime = 1'000'000'001;
  for (const std::string& path : ListTree(source_)) SetMtime(source_ + "/" + path, mtime += 86'403);
  SetMtime(source_, mtime + 7);
  fs::create_directory_symlink(source_, root_ + "collegata");  // the entries name the real path all the same
  const auto backup = RunProgram(BackupCommand(archive_, root_ + "collegata"));
  ASSERT_EQ(backup.exit_code, 0) << backup.output;
  const std::string prefix = source_.substr(1) + "/";
  std::map<std::string, std::int32_t> methods;
  for (const EntryInfo& entry : ReadEntries(archive_)) methods[entry.name] = entry.method;
  EXPECT_EQ(methods[prefix + "sotto cartella/grande.log"], ZIP_CM_DEFLATE);
  EXPECT_EQ(methods[prefix + "foto.jpg"], ZIP_CM_STORE);

  const auto restore = RunProgram(RestoreCommand(archive_, target_));
  ASSERT_EQ(restore.exit_code, 0) << restore.output;
  ExpectSameTree(source_, target_ + source_);
  EXPECT_EQ(Mtime(target_ + source_), Mtime(source_));

  if (!ToolExists("unzip") || !ToolExists("zip")) GTEST_SKIP() << "zip or unzip is not installed";
  const auto extracted = RunProgram({"unzip", "-q", archive_, "-d", root_ + "unzip"});
  ASSERT_EQ(extracted.exit_code, 0) << extracted.output;
  ExpectSameTree(source_, root_ + "unzip" + source_, false);  // unzip leaves links' own times

  // And what Info-ZIP archived (-y keeps links as links) comes back whole.
  const std::string zip = "cd \"$0\" && zip -q -r -y \"$1\" \"Documenti di Anna\"";
  const auto zipped = RunProgram({"sh", "-c", zip, root_, root_ + "zip.zip"});
  ASSERT_EQ(zipped.exit_code, 0) << zipped.output;
  const auto run = Restore(root_ + "zip.zip", root_ + "da zip");
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  ExpectSameTree(source_, root_ + "da zip/Documenti di Anna");
}

// Fault guarded: an unreadable file stopped the backup; an archive inside the folder stored itself.
TEST_F(Sandbox, AFileThatCannotBeReadIsNamedTheOthersAreArchivedAndTheArchiveNever) {
  WriteFile(source_ + "/leggibile.txt", "si legge");
  WriteFile(source_ + "/segreto.txt", "non si legge");
  ::chmod((source_ + "/segreto.txt").c_str(), 0);
  const std::string inside = source_ + "/copia.zip";
  const bool as_root = ::geteuid() == 0;
  if (as_root) ::chmod((source_ + "/leggibile.txt").c_str(), 0644);
  const std::string program = as_root ? ProgramForNobody(root_, source_) : ArchiviaPath();
  for (int run = 0; run < 2; ++run) {  // the second with the archive already there
    const auto backup = RunProgram(BackupCommand(inside, source_, program), as_root);
    EXPECT_EQ(backup.exit_code, 1) << backup.output;
    EXPECT_THAT(backup.output, HasSubstr("impossibile leggere " + source_ + "/segreto.txt: Permesso negato"));
  }
  EXPECT_EQ(EntryNames(inside),
            (std::vector<std::string>{source_.substr(1) + "/", source_.substr(1) + "/leggibile.txt"}));
}

// Fault guarded: a file its folder in the target does not let be made was tried again for ever.
TEST_F(Sandbox, AFileThatCannotBeMadeInTheTargetIsNamedAndTheOthersAreRestored) {
  WriteHandMadeArchive(archive_, {{"chiusa/dentro.txt", "no", archiver::kUnixFile | 0644},
                                  {"aperta.txt", "sì", archiver::kUnixFile | 0644}});
  fs::create_directories(target_ + "/chiusa");
  ::chmod((target_ + "/chiusa").c_str(), 0555);
  std::vector<std::string> restore = RestoreCommand(archive_, target_);
  const bool as_root = ::geteuid() == 0;
  if (as_root) restore[0] = ProgramForNobody(root_, target_);
  const auto result = RunProgram(restore, as_root);
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_THAT(result.output, HasSubstr("impossibile scrivere " + target_ + "/chiusa/dentro.txt"));
  EXPECT_EQ(ReadFile(target_ + "/aperta.txt"), "sì");
}

// Fault guarded: a killed restore's ".archivia-XXXXXXXX" files stayed, or lookalikes went.
TEST_F(Sandbox, TemporaryFilesOfAKilledRestoreAreRemovedAndLookalikesKept) {
  const std::string folder = target_ + "/cartella/";
  for (const std::string name : {".archivia-abc1234" /* seven characters */, ".archivia-ABCDEFGH.txt",
                                 ".archivia-ABCD_FGH", "archivia-ABCDEFGH", ".archivia-NoStrO12"})
    WriteFile(folder + name, "dell'utente");
  ASSERT_EQ(::chown((folder + ".archivia-NoStrO12").c_str(), 65534, 65534), 0);  // another user's
  fs::create_directories(folder + ".archivia-CartElla");
  std::vector<std::string> kept = ListTree(folder);
  WriteFile(folder + ".archivia-Ab3dE6gH", "metà di un file");
  ASSERT_EQ(::symlink("altrove", (folder + ".archivia-Zz9yY8xX").c_str()), 0);
  WriteFile(target_ + "/in_uso/.archivia-InUs0123", "in scrittura");
  const archiver::UniqueFd in_use(::open((target_ + "/in_uso").c_str(), O_RDONLY | O_DIRECTORY));
  ASSERT_EQ(::flock(in_use.get(), LOCK_SH), 0);  // as a restore still writing there holds it

  WriteHandMadeArchive(archive_, {{"cartella/nuovo.txt", "nuovo", S_IFREG | 0644},
                                  {"in_uso/nuovo.txt", "nuovo", S_IFREG | 0644}});
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  kept.push_back("nuovo.txt");
  EXPECT_EQ(ListTree(folder), kept);
  EXPECT_EQ(ListTree(target_ + "/in_uso"), (std::vector<std::string>{".archivia-InUs0123", "nuovo.txt"}));
}

// Fault guarded: a link put in place of a folder the restore had open was written through.
TEST_F(Sandbox, AFolderSwappedForALinkMidwayIsNeverWrittenThrough) {
  std::ostringstream said;
  archiver::Messages messages(said);
  archiver::TargetTree tree(target_, messages);
  const auto place = [&](const archiver::Components& path) {
    try {
      tree.PlaceFile(path, {0644, false, {}}, [](const archiver::FileHandle&, const std::string&) {});
    } catch (const archiver::ItemError&) {
    }
  };
  place({"a", "1"});
  fs::rename(target_ + "/a", target_ + "/spostata");
  fs::create_directory_symlink(outside_, target_ + "/a");
  place({"a", "2"});       // the folder still open
  place({"a", "b", "3"});  // below it
  place({"c", "4"});
  place({"a", "5"});       // looked up again after another folder
  tree.Finish();
  EXPECT_EQ(ListTree(target_ + "/spostata"), (std::vector<std::string>{"1", "2", "b/", "b/3"}));
}

}  // namespace
