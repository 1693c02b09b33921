// Reading folders for the tree and the list, renaming in place and the properties' texts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "explorer/file_rename.h"
#include "explorer/folder_reader.h"
#include "platform/properties.h"
#include "support/temp_folder.h"

namespace explorer {
namespace {

using testing_support::TempFolder;

std::vector<std::string> Names(const std::vector<FileEntry>& files) {
  std::vector<std::string> names;
  for (const FileEntry& file : files) names.push_back(file.name);
  return names;
}

TEST(ReadFiles, ListsEverythingButFoldersWithSizesAndDotNamesHidden) {
  TempFolder folder;
  folder.Write("b.txt", std::string(1025, 'x'));
  folder.Write(".nascosto", "");
  folder.Write("Sotto/dentro.txt", "non in lista");
  ASSERT_EQ(::symlink("Sotto", (folder.path() + "collegamento-cartella").c_str()), 0);
  ASSERT_EQ(::symlink("b.txt", (folder.path() + "A-collegamento").c_str()), 0);
  ASSERT_EQ(::symlink("nessuno", (folder.path() + "rotto").c_str()), 0);

  const FolderFiles listing = ReadFiles(folder.path());
  EXPECT_EQ(listing.error, 0);
  EXPECT_EQ(Names(listing.files),
            (std::vector<std::string>{".nascosto", "A-collegamento", "b.txt", "rotto"}));
  EXPECT_TRUE(listing.files[0].hidden);
  EXPECT_FALSE(listing.files[2].hidden);
  EXPECT_EQ(listing.files[1].size, 1025u);  // a link shows what it points to
  EXPECT_EQ(listing.files[2].size, 1025u);
  EXPECT_EQ(listing.files[3].size, 7u);  // a broken link its own length
}

TEST(IsPseudoFileSystem, SystemTreesAreNeverReadAheadButUserFoldersAre) {
  for (const char* path : {"/proc", "/proc/self", "/sys", "/sys/kernel", "/dev", "/run", "/run/lock"})
    EXPECT_TRUE(IsPseudoFileSystem(path)) << path;
  TempFolder folder;
  for (const std::string& path : {std::string("/"), folder.path(), std::string("/run/media/anna/USB"),
                                   std::string("/proceedings"), std::string("/devel")})
    EXPECT_FALSE(IsPseudoFileSystem(path)) << path;
}

TEST(RenameInFolder, RenamesInPlaceButNeverOverAnotherItemOrOutOfTheFolder) {
  TempFolder folder;
  folder.Write("vecchio.txt", "1");
  folder.Write("altro.txt", "2");
  folder.Write("Sotto/x", "");
  EXPECT_EQ(RenameInFolder(folder.path(), "vecchio.txt", "altro.txt"), EEXIST);
  EXPECT_EQ(folder.Read("altro.txt"), "2");
  for (const char* bad : {"", ".", "..", "Sotto/nuovo.txt"})
    EXPECT_EQ(RenameInFolder(folder.path(), "vecchio.txt", bad), EINVAL) << bad;
  EXPECT_EQ(RenameInFolder(folder.path(), "manca.txt", "nuovo.txt"), ENOENT);
  EXPECT_EQ(RenameInFolder(folder.path(), "vecchio.txt", "Nuovo.txt"), 0);
  EXPECT_EQ(folder.Listing(), "Nuovo.txt Sotto altro.txt");
  EXPECT_EQ(folder.Read("Nuovo.txt"), "1");
}

TEST(Properties, AFileShowsItsOwnSizeAndAFolderLeavesItsTotalToTheWindow) {
  TempFolder folder;
  folder.Write("Dati/a.bin", std::string(1234567, 'a'));
  ASSERT_EQ(::chmod((folder.path() + "Dati/a.bin").c_str(), 0640), 0);
  const auto file = platform::properties::Gather(folder.path() + "Dati/a.bin");
  EXPECT_EQ(file.size, "1.234.567 byte");
  EXPECT_EQ(file.permissions, "rw-r----- (640)");
  EXPECT_EQ(file.location, folder.path() + "Dati");
  EXPECT_FALSE(file.is_folder);
  const auto dati = platform::properties::Gather(folder.path() + "Dati/");
  EXPECT_EQ(dati.name, "Dati");
  EXPECT_TRUE(dati.is_folder);
}

}  // namespace
}  // namespace explorer
