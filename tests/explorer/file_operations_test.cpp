// Copy, move and delete on temporary folders, with the questions answered from a script.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iterator>
#include <filesystem>

#include "explorer/bind_mount.h"
#include "explorer/isolated_trash.h"
#include "platform/file_operations.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_operation_dialogs.h"
#include "support/temp_folder.h"

namespace platform::file_operations {
namespace {

using testing_support::ScriptedDialogs;
using testing_support::ScriptedOperationDialogs;
using testing_support::TempFolder;

class FileOperationsTest : public ::testing::Test {
 protected:
  std::string In(const std::string& name) const { return folder.path() + name; }

  TempFolder folder;
  ScriptedDialogs dialogs;
  ScriptedOperationDialogs operation_dialogs;
};

// A folder on another file system than the temporary folders, for moves that must copy.
class OtherFileSystemFolder {
 public:
  OtherFileSystemFolder() {
    std::string pattern = "/dev/shm/faldone-test-XXXXXX";
    if (::mkdtemp(pattern.data())) path_ = pattern + "/";
  }
  ~OtherFileSystemFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST_F(FileOperationsTest, ACopyIsWholeKeepsModeAndTimeAndLeavesNoTemporaryFile) {
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
  EXPECT_EQ(std::filesystem::directory_iterator(In("a"))->path().filename().string().rfind(".faldone", 0),
            std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(In("a")), {}), 2);
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(FileOperationsTest, ACopyIntoItsOwnFolderGetsANameOfItsOwn) {
  folder.Write("Dati/lettera.txt", "testo");
  EXPECT_EQ(CopyInto(In("Dati/lettera.txt"), In("Dati")), Outcome::Done);
  EXPECT_EQ(CopyInto(In("Dati/lettera.txt"), In("Dati/")), Outcome::Done);
  EXPECT_EQ(folder.Read("Dati/Copia di lettera.txt"), "testo");
  EXPECT_EQ(folder.Read("Dati/Copia (2) di lettera.txt"), "testo");
  // A move there has nothing to do.
  EXPECT_EQ(MoveInto(In("Dati/lettera.txt"), In("Dati")), Outcome::Done);
  EXPECT_EQ(folder.Read("Dati/lettera.txt"), "testo");
  EXPECT_TRUE(operation_dialogs.replace_questions().empty());
}

TEST_F(FileOperationsTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
  folder.Write("da/x.txt", "nuovo");
  folder.Write("a/x.txt", "vecchio");
  operation_dialogs.AnswerReplace(ReplaceAnswer::No);
  EXPECT_EQ(CopyInto(In("da/x.txt"), In("a")), Outcome::Done);
  EXPECT_EQ(folder.Read("a/x.txt"), "vecchio");
  operation_dialogs.AnswerReplace(ReplaceAnswer::Cancel);
  EXPECT_EQ(CopyInto(In("da/x.txt"), In("a")), Outcome::Aborted);
  EXPECT_EQ(folder.Read("a/x.txt"), "vecchio");
  operation_dialogs.AnswerReplace(ReplaceAnswer::Yes);
  EXPECT_EQ(CopyInto(In("da/x.txt"), In("a")), Outcome::Done);
  EXPECT_EQ(folder.Read("a/x.txt"), "nuovo");
  ASSERT_EQ(operation_dialogs.replace_questions().size(), 3u);
  EXPECT_NE(operation_dialogs.replace_questions()[0].find("\"x.txt\""), std::string::npos);
}

TEST_F(FileOperationsTest, YesToAllAnswersTheRestOfAFolderCopy) {
  for (const char* name : {"Foto/a.jpg", "Foto/b.jpg", "Foto/c.jpg"}) folder.Write(name, "nuova");
  for (const char* name : {"dest/Foto/a.jpg", "dest/Foto/b.jpg"}) folder.Write(name, "vecchia");
  operation_dialogs.AnswerReplace(ReplaceAnswer::YesToAll);
  EXPECT_EQ(CopyInto(In("Foto"), In("dest")), Outcome::Done);
  EXPECT_EQ(operation_dialogs.replace_questions().size(), 1u);
  for (const char* name : {"dest/Foto/a.jpg", "dest/Foto/b.jpg", "dest/Foto/c.jpg"})
    EXPECT_EQ(folder.Read(name), "nuova") << name;
}

TEST_F(FileOperationsTest, AFolderCopiesWithItsTreeAndItsLinksAsLinks) {
  folder.Write("Dati/a.txt", "a");
  folder.Write("Dati/Sotto/b.txt", "b");
  ASSERT_EQ(::symlink("Sotto/b.txt", In("Dati/link").c_str()), 0);
  ASSERT_EQ(::chmod(In("Dati/Sotto").c_str(), 0555), 0);
  EXPECT_EQ(CopyInto(In("Dati"), In("Copie/")), Outcome::Failed);  // no such destination
  ASSERT_TRUE(std::filesystem::create_directory(In("Copie")));
  EXPECT_EQ(CopyInto(In("Dati"), In("Copie/")), Outcome::Done);
  EXPECT_EQ(folder.Read("Copie/Dati/Sotto/b.txt"), "b");
  EXPECT_TRUE(std::filesystem::is_symlink(In("Copie/Dati/link")));
  EXPECT_EQ(std::filesystem::read_symlink(In("Copie/Dati/link")), "Sotto/b.txt");
  struct stat st {};
  ASSERT_EQ(::stat(In("Copie/Dati/Sotto").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0555u);
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

TEST_F(FileOperationsTest, AMoveIntoAFolderThatHasOneOfTheSameNameKeepsWhatTheUserKept) {
  folder.Write("Dati/a.txt", "nuovo a");
  folder.Write("Dati/b.txt", "nuovo b");
  folder.Write("dest/Dati/a.txt", "vecchio a");
  operation_dialogs.AnswerReplace(ReplaceAnswer::No);
  EXPECT_EQ(MoveInto(In("Dati"), In("dest")), Outcome::Done);
  EXPECT_EQ(folder.Read("dest/Dati/a.txt"), "vecchio a");
  EXPECT_EQ(folder.Read("dest/Dati/b.txt"), "nuovo b");
  EXPECT_EQ(folder.Read("Dati/a.txt"), "nuovo a");  // not moved, not lost
  EXPECT_FALSE(folder.Exists("Dati/b.txt"));
}

TEST_F(FileOperationsTest, AMoveAcrossFileSystemsDeletesTheSourceOnlyOnceItsCopyIsWhole) {
  OtherFileSystemFolder other;
  if (other.path().empty()) GTEST_SKIP() << "no second file system at /dev/shm";
  folder.Write("Dati/a.txt", "a");
  folder.Write("Dati/Sotto/b.txt", "b");
  EXPECT_EQ(MoveInto(In("Dati"), other.path()), Outcome::Done);
  EXPECT_FALSE(folder.Exists("Dati"));
  EXPECT_TRUE(std::filesystem::exists(other.path() + "Dati/Sotto/b.txt"));

  // Something that cannot be copied: the copy is not whole and the source stays as it was.
  folder.Write("Foto/a.jpg", "a");
  ASSERT_EQ(::mkfifo(In("Foto/tubo").c_str(), 0600), 0);
  folder.Write("Foto/z.jpg", "z");
  EXPECT_EQ(MoveInto(In("Foto"), other.path()), Outcome::Failed);
  EXPECT_EQ(folder.Read("Foto/a.jpg"), "a");
  EXPECT_EQ(folder.Read("Foto/z.jpg"), "z");
  EXPECT_TRUE(folder.Exists("Foto/tubo"));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("tubo"), std::string::npos);
}

TEST_F(FileOperationsTest, ACancelledCopyLeavesNoHalfWrittenFile) {
  folder.Write("da/grande.bin", std::string(5 << 20, 'g'));
  folder.Write("a/.keep", "");
  operation_dialogs.CancelAtUpdate(2);  // after the first of five chunks
  EXPECT_EQ(CopyInto(In("da/grande.bin"), In("a")), Outcome::Aborted);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(In("a")), {}), 1);  // only .keep
  EXPECT_EQ(operation_dialogs.progress_titles(), (std::vector<std::string>{"Copia"}));
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(FileOperationsTest, DeleteAsksNamingTheItemThenUsesTheTrashOrDeletesForGood) {
  folder.Write("lettera.txt", "testo");
  folder.Write("Vecchi/a/b.txt", "b");
  dialogs.Answer("n");
  DeleteItem(In("lettera.txt"), DeleteMode::ToTrash);
  EXPECT_TRUE(folder.Exists("lettera.txt"));
  dialogs.Answer(" s ");
  DeleteItem(In("lettera.txt"), DeleteMode::ToTrash);
  const std::string trash = testing_support::IsolatedTrashFolder();
  EXPECT_TRUE(std::filesystem::exists(trash + "/files/lettera.txt"));
  EXPECT_TRUE(std::filesystem::exists(trash + "/info/lettera.txt.trashinfo"));
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

// A disk mounted on a folder of the same disk (a bind mount) was entered and emptied by a
// permanent delete of the folder above it, and the mount point itself could be deleted or
// moved away with everything on it.
TEST_F(FileOperationsTest, AMountedDiskIsNeverEmptiedByDeleteOrMove) {
  folder.Write("Dati/a.txt", "a");
  folder.Write("Chiavetta/foto.jpg", "f");
  folder.Write("Altrove/.keep", "");
  ASSERT_TRUE(std::filesystem::create_directory(In("Dati/chiavetta")));
  const testing_support::BindMount disk(In("Chiavetta"), In("Dati/chiavetta"));
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a file system here";
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
  folder.Write("Trash/files/vecchio/x.txt", "x");
  folder.Write("Trash/info/vecchio.trashinfo", "[Trash Info]");
  folder.Write("Trash/directorysizes", "1 2 vecchio");
  dialogs.Answer("N");
  EmptyTrash({In("Trash")});
  EXPECT_TRUE(folder.Exists("Trash/files/vecchio/x.txt"));
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
