// What Windows does its own way: the read-only attribute, junctions, "\" paths, hidden
// attributes and renaming onto a name that is taken.
#include <windows.h>
#include <winioctl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "explorer/file_operations_fixture.h"
#include "explorer/file_rename.h"
#include "explorer/folder_reader.h"
#include "platform/properties.h"
#include "platform/windows/wide.h"

namespace platform::file_operations {
namespace {

using platform::windows::Widen;

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesW(Widen(path).c_str()); }

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void SetAttribute(const std::string& path, DWORD attribute, bool on) {
  const DWORD attributes = AttributesOf(path);
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
  ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(),
                                   on ? attributes | attribute : attributes & ~attribute))
      << path;
}

// Names the copy left behind beside its result.
std::vector<std::string> Leftovers(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Widen(folder))))
    if (entry.path().filename().string().rfind(".faldone", 0) == 0)
      found.push_back(entry.path().filename().string());
  return found;
}

// A junction at link to target, the way "mklink /J" makes one: an empty folder given a
// mount-point reparse point.
bool MakeJunction(const std::string& link, const std::string& target) {
  if (!::CreateDirectoryW(Widen(link).c_str(), nullptr)) return false;
  const HANDLE folder = ::CreateFileW(Widen(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  const std::wstring substitute = L"\\??\\" + Widen(target);
  const std::wstring print = Widen(target);
  const auto substitute_bytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
  const auto print_bytes = static_cast<WORD>(print.size() * sizeof(wchar_t));
  // Tag, data length, reserved; then the four offsets and lengths of the names, and the names,
  // each ended by a NUL.
  const WORD data_bytes = static_cast<WORD>(8 + substitute_bytes + 2 + print_bytes + 2);
  std::vector<BYTE> buffer(8 + data_bytes, 0);
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  const WORD fields[] = {data_bytes, 0, 0, substitute_bytes,
                         static_cast<WORD>(substitute_bytes + 2), print_bytes};
  std::memcpy(buffer.data(), &tag, sizeof tag);
  std::memcpy(buffer.data() + 4, fields, sizeof fields);
  std::memcpy(buffer.data() + 16, substitute.c_str(), substitute_bytes);
  std::memcpy(buffer.data() + 16 + substitute_bytes + 2, print.c_str(), print_bytes);
  DWORD returned = 0;
  const bool made = ::DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                      static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                                      nullptr);
  ::CloseHandle(folder);
  if (!made) ::RemoveDirectoryW(Widen(link).c_str());
  return made;
}

// A junction, or where none can be made a symbolic link to a folder: either is a folder entry
// that points elsewhere. False when neither is made, or what was made does not act as one.
bool MakeFolderLink(const std::string& link, const std::string& target) {
  const bool made = MakeJunction(link, target) ||
                    ::CreateSymbolicLinkW(Widen(link).c_str(), Widen(target).c_str(),
                                          SYMBOLIC_LINK_FLAG_DIRECTORY |
                                              SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  const DWORD attributes = AttributesOf(link);
  constexpr DWORD kFolderLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if (made && attributes != INVALID_FILE_ATTRIBUTES && (attributes & kFolderLink) == kFolderLink)
    return true;
  ::DeleteFileW(Widen(link).c_str());
  ::RemoveDirectoryW(Widen(link).c_str());
  return false;
}

// A read-only file is copied, replaced, moved and deleted like any other: Windows refuses to
// replace or delete one unless its attribute is cleared first.
TEST_F(FileOperationsTest, AReadOnlyFileIsCopiedReplacedMovedAndDeleted) {
  folder.Write("da/sola.txt", "prima");
  folder.Write("a/.keep", "");
  SetAttribute(In("da/sola.txt"), FILE_ATTRIBUTE_READONLY, true);
  EXPECT_EQ(CopyInto(In("da/sola.txt"), In("a")), Outcome::Done);
  EXPECT_EQ(folder.Read("a/sola.txt"), "prima");
  EXPECT_TRUE(IsReadOnly(In("a/sola.txt")));
  EXPECT_EQ(std::filesystem::last_write_time(std::filesystem::path(Widen(In("a/sola.txt")))),
            std::filesystem::last_write_time(std::filesystem::path(Widen(In("da/sola.txt")))));

  SetAttribute(In("da/sola.txt"), FILE_ATTRIBUTE_READONLY, false);
  folder.Write("da/sola.txt", "dopo");
  SetAttribute(In("da/sola.txt"), FILE_ATTRIBUTE_READONLY, true);
  operation_dialogs.AnswerReplace(ReplaceAnswer::Yes);
  EXPECT_EQ(CopyInto(In("da/sola.txt"), In("a")), Outcome::Done);
  EXPECT_EQ(folder.Read("a/sola.txt"), "dopo");
  EXPECT_TRUE(Leftovers(In("a")).empty());

  operation_dialogs.AnswerReplace(ReplaceAnswer::Yes);
  EXPECT_EQ(MoveInto(In("da/sola.txt"), In("a")), Outcome::Done);
  EXPECT_FALSE(folder.Exists("da/sola.txt"));
  EXPECT_TRUE(IsReadOnly(In("a/sola.txt")));

  folder.Write("vecchi/dentro/x.txt", "x");
  SetAttribute(In("vecchi/dentro/x.txt"), FILE_ATTRIBUTE_READONLY, true);
  dialogs.Answer("S");
  DeleteItem(In("a/sola.txt"), DeleteMode::Permanently);
  dialogs.Answer("S");
  DeleteItem(In("vecchi"), DeleteMode::Permanently);
  EXPECT_EQ(folder.Listing(), "a da");
  EXPECT_EQ(folder.Read("a/.keep"), "");
  EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages()[0];
}

// A delete that walked into a junction emptied the folder it points to.
TEST_F(FileOperationsTest, DeletingAFolderLinkRemovesTheLinkAndNeverWhatItPointsTo) {
  folder.Write("altrove/prezioso.txt", "p");
  folder.Write("Dati/a.txt", "a");
  if (!MakeFolderLink(In("Dati/scorciatoia"), In("altrove")))
    GTEST_SKIP() << "neither a junction nor a link to a folder can be made here (error "
                 << ::GetLastError() << ")";
  ASSERT_EQ(folder.Read("Dati/scorciatoia/prezioso.txt"), "p");
  ASSERT_TRUE(MakeFolderLink(In("sola"), In("altrove")));

  dialogs.Answer("S");
  DeleteItem(In("sola"), DeleteMode::Permanently);
  dialogs.Answer("S");
  DeleteItem(In("Dati"), DeleteMode::Permanently);
  EXPECT_EQ(folder.Listing(), "altrove");
  EXPECT_EQ(folder.Read("altrove/prezioso.txt"), "p");
  EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages()[0];
}

TEST(RenameInFolder, RefusesATakenNameAndNamesWindowsWouldChange) {
  testing_support::TempFolder folder;
  folder.Write("vecchio.txt", "1");
  folder.Write("altro.txt", "2");
  EXPECT_EQ(explorer::RenameInFolder(folder.path(), "vecchio.txt", "altro.txt"), EEXIST);
  // Names differ only in case on a folder that ignores case: the same name.
  EXPECT_EQ(explorer::RenameInFolder(folder.path(), "vecchio.txt", "ALTRO.TXT"), EEXIST);
  EXPECT_EQ(folder.Read("altro.txt"), "2");
  for (const char* bad : {"nome.", "nome ", "flusso:dati", "..\\fuori.txt", "C:fuori.txt", "a/b"})
    EXPECT_EQ(explorer::RenameInFolder(folder.path(), "vecchio.txt", bad), EINVAL) << bad;
  EXPECT_EQ(folder.Listing(), "altro.txt vecchio.txt");
  EXPECT_EQ(explorer::RenameInFolder(folder.path(), "vecchio.txt", "Nuovo.txt"), 0);
  EXPECT_EQ(folder.Listing(), "Nuovo.txt altro.txt");
}

TEST(ReadFolder, BackslashPathsHiddenAttributesAndJunctionsAmongTheFolders) {
  testing_support::TempFolder folder;
  folder.Write("b.txt", std::string(1025, 'x'));
  folder.Write("A.txt", "");
  folder.Write("Sotto\\dentro.txt", "");
  SetAttribute(folder.path() + "A.txt", FILE_ATTRIBUTE_HIDDEN, true);
  const bool junction = MakeFolderLink(folder.path() + "ponte", folder.path() + "Sotto");

  ASSERT_EQ(folder.path().back(), '\\');
  const explorer::FolderFiles listing = explorer::ReadFiles(folder.path());
  EXPECT_EQ(listing.error, 0);
  ASSERT_EQ(listing.files.size(), 2u);
  EXPECT_EQ(listing.files[0].name, "A.txt");
  EXPECT_TRUE(listing.files[0].hidden);
  EXPECT_EQ(listing.files[1].name, "b.txt");
  EXPECT_FALSE(listing.files[1].hidden);
  EXPECT_EQ(listing.files[1].size, 1025u);
  const std::vector<std::string> folders =
      junction ? std::vector<std::string>{"ponte", "Sotto"} : std::vector<std::string>{"Sotto"};
  EXPECT_EQ(explorer::ReadSubfolders(folder.path()), folders);
  EXPECT_EQ(explorer::FolderProblem(folder.path() + "b.txt"), ENOTDIR);
  EXPECT_EQ(explorer::FolderProblem(folder.path() + "manca"), ENOENT);
  EXPECT_EQ(explorer::ReadFiles(folder.path() + "manca").error, ENOENT);
}

TEST(Properties, DriveRootsAndReadOnlyFilesInWindowsTerms) {
  const properties::ItemProperties root = properties::Gather("C:\\");
  EXPECT_EQ(root.name, "C:\\");
  EXPECT_EQ(root.location, "C:\\");
  EXPECT_EQ(root.kind, "Cartella");
  testing_support::TempFolder folder;
  folder.Write("sola.txt", "12345");
  SetAttribute(folder.path() + "sola.txt", FILE_ATTRIBUTE_READONLY, true);
  const properties::ItemProperties file = properties::Gather(folder.path() + "sola.txt");
  EXPECT_EQ(file.name, "sola.txt");
  EXPECT_EQ(file.location + "\\", folder.path());
  EXPECT_EQ(file.size, "5 byte");
  EXPECT_NE(file.permissions.find("sola lettura"), std::string::npos) << file.permissions;
  SetAttribute(folder.path() + "sola.txt", FILE_ATTRIBUTE_READONLY, false);
}

}  // namespace
}  // namespace platform::file_operations
