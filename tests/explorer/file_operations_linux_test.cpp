// Copy, move and delete with Linux's modes, links, FIFOs, second file systems, mounts and trash.
#include <sys/stat.h>
#include <unistd.h>

#include <iterator>

#include "explorer/file_operations_fixture.h"
#include "explorer/linux/isolated_system.h"

namespace platform::file_operations {
namespace {

// On another file system than the temporary folders, for moves that must copy.
struct OtherFileSystemFolder {
  OtherFileSystemFolder() { path = ::mkdtemp(path.data()) ? path + "/" : ""; }
  ~OtherFileSystemFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  std::string path = "/dev/shm/faldone-test-XXXXXX";
};

TEST_F(FileOperationsTest, ACopyIsWholeKeepsModesTimesAndLinksAndLeavesNoTemporaryFile) {
  folder.Write("da/lettera.txt", std::string(3 << 20, 'l'));
  ASSERT_EQ(::chmod(In("da/lettera.txt").c_str(), 0604), 0);
  folder.Write("a/.keep", "");
  EXPECT_EQ(CopyInto(In("da/lettera.txt"), In("a")), Outcome::Done);
  EXPECT_EQ(folder.Read("a/lettera.txt"), folder.Read("da/lettera.txt"));
  struct stat from {}, to {};
  ASSERT_EQ(::stat(In("da/lettera.txt").c_str(), &from), 0);
  ASSERT_EQ(::stat(In("a/lettera.txt").c_str(), &to), 0);
  EXPECT_EQ(to.st_mode & 07777, 0604u);
  EXPECT_EQ(to.st_mtim.tv_sec, from.st_mtim.tv_sec);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(In("a")), {}), 2);
  EXPECT_TRUE(dialogs.calls().empty());

  // A folder copies with its tree, its links as links.
  folder.Write("Dati/a.txt", "a");
  folder.Write("Dati/Sotto/b.txt", "b");
  ASSERT_EQ(::symlink("Sotto/b.txt", In("Dati/link").c_str()), 0);
  ASSERT_EQ(::chmod(In("Dati/Sotto").c_str(), 0555), 0);
  EXPECT_EQ(CopyInto(In("Dati"), In("Copie/")), Outcome::Failed);  // no such destination
  ASSERT_TRUE(std::filesystem::create_directory(In("Copie")));
  EXPECT_EQ(CopyInto(In("Dati"), In("Copie/")), Outcome::Done);
  EXPECT_EQ(folder.Read("Copie/Dati/Sotto/b.txt"), "b");
  EXPECT_EQ(std::filesystem::read_symlink(In("Copie/Dati/link")), "Sotto/b.txt");
  ASSERT_EQ(::stat(In("Copie/Dati/Sotto").c_str(), &to), 0);
  EXPECT_EQ(to.st_mode & 07777, 0555u);
}

TEST_F(FileOperationsTest, AFolderIsNeverCopiedOrMovedIntoItselfOrItsSubfolders) {
  folder.Write("Dati/Sotto/b.txt", "b");
  ASSERT_EQ(::symlink(In("Dati/Sotto").c_str(), In("scorciatoia").c_str()), 0);
  EXPECT_EQ(CopyInto(In("Dati"), In("Dati")), Outcome::Failed);
  EXPECT_EQ(CopyInto(In("Dati"), In("Dati/Sotto")), Outcome::Failed);
  EXPECT_EQ(MoveInto(In("Dati"), In("scorciatoia")), Outcome::Failed);
  EXPECT_EQ(dialogs.Messages().size(), 3u);
  EXPECT_EQ(dialogs.calls().back().icon, MessageIcon::Critical);
  EXPECT_EQ(folder.Listing(), "Dati scorciatoia");
  EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(In("Dati")), {}), 2);
}

TEST_F(FileOperationsTest, AMoveAcrossFileSystemsDeletesTheSourceOnlyOnceItsCopyIsWhole) {
  OtherFileSystemFolder other;
  ASSERT_FALSE(other.path.empty()) << "no second file system at /dev/shm";
  folder.Write("Dati/a.txt", "a");
  folder.Write("Dati/Sotto/b.txt", "b");
  EXPECT_EQ(MoveInto(In("Dati"), other.path), Outcome::Done);
  EXPECT_FALSE(folder.Exists("Dati"));
  EXPECT_TRUE(std::filesystem::exists(other.path + "Dati/Sotto/b.txt"));

  // A FIFO cannot be copied: the copy is not whole and the source stays as it was.
  folder.Write("Foto/a.jpg", "a");
  ASSERT_EQ(::mkfifo(In("Foto/tubo").c_str(), 0600), 0);
  folder.Write("Foto/z.jpg", "z");
  EXPECT_EQ(MoveInto(In("Foto"), other.path), Outcome::Failed);
  EXPECT_EQ(folder.Read("Foto/a.jpg"), "a");
  EXPECT_EQ(folder.Read("Foto/z.jpg"), "z");
  EXPECT_TRUE(folder.Exists("Foto/tubo"));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("tubo"), std::string::npos);
}

TEST_F(FileOperationsTest, DeleteAsksNamingTheItemThenUsesTheTrashOrDeletesForGood) {
  folder.Write("lettera.txt", "testo");
  folder.Write("Vecchi/a/b.txt", "b");
  dialogs.Answer("n");
  DeleteItem(In("lettera.txt"), DeleteMode::ToTrash);
  EXPECT_TRUE(folder.Exists("lettera.txt"));
  dialogs.Answer(" s ");
  DeleteItem(In("lettera.txt"), DeleteMode::ToTrash);
  const std::string trash = testing_support::IsolatedDataFolder() + "Trash";
  EXPECT_TRUE(std::filesystem::exists(trash + "/files/lettera.txt"));
  dialogs.Answer("S");
  DeleteItem(In("Vecchi"), DeleteMode::Permanently);
  EXPECT_EQ(folder.Listing(), "");
  EXPECT_FALSE(std::filesystem::exists(trash + "/files/Vecchi"));
  ASSERT_EQ(dialogs.calls().size(), 3u);
  EXPECT_EQ(dialogs.calls()[1].text, "Spostare nel cestino il file \"" + In("lettera.txt") + "\"? (S/N)");
  EXPECT_EQ(dialogs.calls()[1].default_text, "S");
  EXPECT_EQ(dialogs.calls()[2].text, "Eliminare definitivamente la cartella \"" + In("Vecchi") + "\"? (S/N)");
  EXPECT_EQ(dialogs.calls()[2].default_text, "N");
}

// A disk mounted on a folder was emptied by a permanent delete of the folder above it, or moved away.
TEST_F(FileOperationsTest, AMountedDiskIsNeverEmptiedByDeleteOrMove) {
  folder.Write("Dati/a.txt", "a");
  folder.Write("Chiavetta/foto.jpg", "f");
  folder.Write("Altrove/.keep", "");
  ASSERT_TRUE(std::filesystem::create_directory(In("Dati/chiavetta")));
  const testing_support::BindMount disk(In("Chiavetta"), In("Dati/chiavetta"));
  if (!disk.mounted) GTEST_SKIP() << "cannot mount a file system here";
  DeleteItem(In("Dati/chiavetta"), DeleteMode::ToTrash);
  DeleteItem(In("Dati/chiavetta/"), DeleteMode::Permanently);
  EXPECT_EQ(MoveInto(In("Dati/chiavetta"), In("Altrove")), Outcome::Failed);
  EXPECT_EQ(dialogs.Messages(), std::vector<std::string>(3, "You can't delete root"));
  dialogs.Clear();
  dialogs.Answer("S");
  DeleteItem(In("Dati"), DeleteMode::Permanently);
  EXPECT_EQ(folder.Read("Chiavetta/foto.jpg"), "f");
  EXPECT_FALSE(folder.Exists("Altrove/chiavetta"));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("montato"), std::string::npos);
}

TEST_F(FileOperationsTest, EmptyingTheTrashAsksFirstAndKeepsItsFolders) {
  for (const char* name : {"Trash/files/vecchio/x.txt", "Trash/info/vecchio.trashinfo", "Trash/directorysizes"})
    folder.Write(name, "x");
  dialogs.Answer("N");
  EmptyTrash({In("Trash")});
  EXPECT_TRUE(folder.Exists("Trash/files/vecchio/x.txt"));
  EXPECT_EQ(dialogs.calls().back().default_text, "N");
  dialogs.Answer("S");
  EmptyTrash({In("Trash"), In("manca")});
  EXPECT_EQ(folder.Listing(), "Trash");
  EXPECT_TRUE(std::filesystem::is_empty(In("Trash/files")));
  EXPECT_TRUE(std::filesystem::is_empty(In("Trash/info")));
  EXPECT_FALSE(folder.Exists("Trash/directorysizes"));
  EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace platform::file_operations
