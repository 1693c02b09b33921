// What Windows does its own way: read-only and hidden attributes, junctions, "\" paths, drive roots.
#include <windows.h>
#include <winioctl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <vector>

#include "explorer/file_operations_fixture.h"
#include "explorer/folder_reader.h"
#include "platform/properties.h"
#include "platform/windows/wide.h"

namespace platform::file_operations {
namespace {

using platform::windows::Widen;

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesW(Widen(path).c_str()); }

bool IsReadOnly(const std::string& path) {
  return AttributesOf(path) != INVALID_FILE_ATTRIBUTES && (AttributesOf(path) & FILE_ATTRIBUTE_READONLY);
}

void SetAttribute(const std::string& path, DWORD attribute, bool on) {
  const DWORD attributes = AttributesOf(path);
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
  ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(),
                                   on ? attributes | attribute : attributes & ~attribute)) << path;
}

// An empty folder given a mount-point reparse point, as "mklink /J" makes; Wine 8 makes none.
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
  // Tag, data length, reserved; the four offsets and lengths of the names; the names, NUL-ended.
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

// Windows refuses to replace or delete a read-only file unless its attribute is cleared first.
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
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Widen(In("a"))), {}), 2);  // no leftovers

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
  EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages()[0];
}

// A delete that walked into a junction emptied the folder it points to.
TEST_F(FileOperationsTest, DeletingAFolderLinkRemovesTheLinkAndNeverWhatItPointsTo) {
  folder.Write("altrove/prezioso.txt", "p");
  folder.Write("Dati/a.txt", "a");
  if (!MakeJunction(In("Dati/scorciatoia"), In("altrove")))
    GTEST_SKIP() << "no junction can be made here (error " << ::GetLastError() << ")";
  ASSERT_EQ(folder.Read("Dati/scorciatoia/prezioso.txt"), "p");
  ASSERT_TRUE(MakeJunction(In("sola"), In("altrove")));
  EXPECT_EQ(explorer::ReadSubfolders(In("Dati")), std::vector<std::string>{"scorciatoia"});
  EXPECT_EQ(explorer::ReadFiles(In("Dati")).files.size(), 1u);  // a.txt, not the junction

  dialogs.Answer("S");
  DeleteItem(In("sola"), DeleteMode::Permanently);
  dialogs.Answer("S");
  DeleteItem(In("Dati"), DeleteMode::Permanently);
  EXPECT_EQ(folder.Listing(), "altrove");
  EXPECT_EQ(folder.Read("altrove/prezioso.txt"), "p");
  EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages()[0];
}

TEST(ReadFolder, BackslashPathsAndHiddenAttributes) {
  testing_support::TempFolder folder;
  folder.Write("b.txt", std::string(1025, 'x'));
  folder.Write("A.txt", "");
  folder.Write("Sotto\\dentro.txt", "");
  SetAttribute(folder.path() + "A.txt", FILE_ATTRIBUTE_HIDDEN, true);

  const explorer::FolderFiles listing = explorer::ReadFiles(folder.path());
  EXPECT_EQ(listing.error, 0);
  std::vector<std::string> shown;  // name, size and hidden mark
  for (const explorer::FileEntry& file : listing.files)
    shown.push_back(file.name + " " + std::to_string(file.size) + (file.hidden ? " h" : ""));
  EXPECT_EQ(shown, (std::vector<std::string>{"A.txt 0 h", "b.txt 1025"}));
  EXPECT_EQ(explorer::ReadSubfolders(folder.path()), std::vector<std::string>{"Sotto"});
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
