#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "platform/drives.h"
#include "platform/paths.h"
#include "platform/windows/drive_letters.h"
#include "platform/windows/long_path.h"
#include "support/temp_folder.h"

namespace {

using namespace platform::paths;

TEST(WindowsPaths, DriveLettersSharesAndBackslashes) {
  EXPECT_EQ(Join("C:\\FALDONE", "Copia_01.Dat"), "C:\\FALDONE\\Copia_01.Dat");
  EXPECT_EQ(Join("C:\\FALDONE\\", "Copia_01.Dat"), "C:\\FALDONE\\Copia_01.Dat");
  EXPECT_EQ(FolderOf("C:\\FALDONE\\Copia_01.Dat"), "C:\\FALDONE");
  EXPECT_EQ(FolderOf("C:\\Copia_01.Dat"), "C:\\");  // a root keeps its separator
  EXPECT_EQ(FolderOf("\\\\server\\dati\\a.txt"), "\\\\server\\dati");

  EXPECT_EQ(DriveRoot("C:\\DOCUMENTI\\"), "C:\\");
  EXPECT_EQ(DriveRoot("d:\\Foto di città\\2003\\"), "d:\\");
  EXPECT_EQ(DriveRoot("\\\\server\\dati\\contabilità\\"), "\\\\server\\dati\\");
  EXPECT_EQ(DriveRoot("\\\\server\\dati"), "\\\\server\\dati\\");
  for (const char* relative : {"/home/anna/", "DOC\\", "C:DOC\\", "\\DOC\\", "\\\\server", "\\\\\\dati\\", ""}) {
    EXPECT_EQ(DriveRoot(relative), "") << relative;
    EXPECT_FALSE(IsAbsolute(relative)) << relative;
  }
  for (const char* absolute : {"C:\\", "z:\\tmp\\", "\\\\server\\dati", "\\\\server\\dati\\x\\"})
    EXPECT_TRUE(IsAbsolute(absolute)) << absolute;
}

// The form Windows' file calls take at any length: made whole, then marked.
TEST(WindowsPaths, LongPathsAreWholeAndMarkedForTheFileCalls) {
  const std::pair<const char*, const wchar_t*> rows[] = {
      {"C:\\Dati\\città\\", L"\\\\?\\C:\\Dati\\città\\"},
      {"C:/Dati/./vecchi/../nuovi", L"\\\\?\\C:\\Dati\\nuovi"},
      {"\\\\server\\dati\\a.txt", L"\\\\?\\UNC\\server\\dati\\a.txt"},
      {"\\\\?\\C:\\già", L"\\\\?\\C:\\già"},
      {"\\\\.\\COM1", L"\\\\.\\COM1"},
      {"NUL", L"NUL"},  // a device keeps its own form, or reads would wait on "CON"
      {"", L""}};
  for (const auto& [path, long_form] : rows)
    EXPECT_EQ(platform::windows::LongPath(path), long_form) << path;
}

TEST(WindowsDrives, EveryLetterInUseWithItsKindAndNoRootlessOnes) {
  const std::map<std::string, unsigned> kinds = {{"A:\\", DRIVE_NO_ROOT_DIR}, {"C:\\", DRIVE_FIXED},
                                                 {"D:\\", DRIVE_CDROM},       {"E:\\", DRIVE_REMOVABLE},
                                                 {"Z:\\", DRIVE_REMOTE}};
  const unsigned long letters = (1UL << 0) | (1UL << 2) | (1UL << 3) | (1UL << 4) | (1UL << 25);
  const auto drives = platform::drives::DrivesFromLetters(letters, [&](const std::string& root) { return kinds.at(root); });
  std::vector<std::string> shown;
  for (const auto& drive : drives) shown.push_back(drive.mount_point + "|" + drive.label);
  EXPECT_EQ(shown, (std::vector<std::string>{"C:\\|C:\\  [disco fisso]", "D:\\|D:\\  [CD-ROM]",
                                             "E:\\|E:\\  [rimovibile]", "Z:\\|Z:\\  [rete]"}));
}

// A drive list opens on the drive Windows runs from, which need not be C:.
TEST(WindowsDrives, TheSystemDriveIsTheOneTheVariableNamesOrElseCListedReadyAndAMountPointAndAFolderIsNot) {
  const std::pair<const char*, const char*> rows[] = {
      {"C:", "C:\\"}, {"D:", "D:\\"}, {"e:", "e:\\"}, {"", "C:\\"}, {"D", "C:\\"}, {"1:", "C:\\"}, {"D:\\x", "C:\\"}};
  for (const auto& [variable, root] : rows)
    EXPECT_EQ(platform::drives::SystemDriveRoot(variable), root) << variable;
  wchar_t before[8] = {};
  ASSERT_EQ(::GetEnvironmentVariableW(L"SystemDrive", before, 8), 2u);
  ASSERT_TRUE(::SetEnvironmentVariableW(L"SystemDrive", L"D:"));
  EXPECT_EQ(platform::drives::SystemDrive(), "D:\\");
  ::SetEnvironmentVariableW(L"SystemDrive", before);

  wchar_t windows_folder[MAX_PATH];
  ASSERT_GT(::GetWindowsDirectoryW(windows_folder, MAX_PATH), 2u);
  const std::string system_root = std::string(1, static_cast<char>(windows_folder[0])) + ":\\";
  bool listed = false;
  for (const auto& drive : platform::drives::ListDrives()) listed = listed || drive.mount_point == system_root;
  EXPECT_TRUE(listed) << system_root;
  EXPECT_TRUE(platform::drives::IsReady(system_root));
  EXPECT_TRUE(platform::drives::IsMountPoint(system_root));
  EXPECT_TRUE(platform::drives::IsMountPoint(system_root.substr(0, 2)));  // "C:" names the same root

  testing_support::TempFolder folder;
  EXPECT_FALSE(platform::drives::IsMountPoint(folder.path()));
  folder.Write("file", "x");
  EXPECT_FALSE(platform::drives::IsMountPoint(folder.path() + "file"));
  const DWORD letters = ::GetLogicalDrives();
  for (int i = 25; i >= 0; --i)
    if ((letters & (1UL << i)) == 0) {
      EXPECT_FALSE(platform::drives::IsReady(std::string(1, static_cast<char>('A' + i)) + ":\\"));
      break;
    }
}

}  // namespace
