#include "platform/files.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include "platform/user_error.h"
#include "platform/windows/unique_handle.h"
#include "platform/windows/wide.h"
#include "support/temp_folder.h"

namespace {

using platform::windows::UniqueHandle;
using platform::windows::Widen;
using testing::HasSubstr;
using testing::ThrowsMessage;
using testing_support::TempFolder;

// A hidden profile must come back hidden.
TEST(WindowsFiles, AtomicWriteKeepsTheAttributesOfReplacedFiles) {
  TempFolder folder;
  const std::string hidden = folder.path() + "nascosto.Dat";
  folder.Write("nascosto.Dat", "vecchio");
  ASSERT_TRUE(::SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  platform::files::WriteAtomically(hidden, "nuovo");
  EXPECT_EQ(folder.Read("nascosto.Dat"), "nuovo");
  EXPECT_NE(::GetFileAttributesW(Widen(hidden).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

  // Another program holding the file without letting it be renamed: tried for a while, then refused.
  {
    const UniqueHandle held(::CreateFileW(Widen(hidden).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_THAT([&] { platform::files::WriteAtomically(hidden, "terzo"); },
                ThrowsMessage<platform::UserError>(HasSubstr("Impossibile scrivere il file " + hidden)));
  }
  EXPECT_EQ(folder.Read("nascosto.Dat"), "nuovo");

  EXPECT_THAT([&] { platform::files::WriteAtomically(folder.path() + "manca\\p.Dat", "x"); },
              ThrowsMessage<platform::UserError>(HasSubstr("Percorso non trovato")));
  EXPECT_EQ(folder.Listing(), "nascosto.Dat");
}

TEST(WindowsWide, Utf8AndUtf16CarryEveryCharacterBothWays) {
  const std::string text = "àèìòù € “x” Ж 漢 😀 \x01";
  EXPECT_EQ(platform::windows::Narrow(Widen(text)), text);
  EXPECT_EQ(Widen("😀"), std::wstring(L"\xD83D\xDE00"));  // one character, two UTF-16 units
  EXPECT_EQ(Widen("caff\xE8"), std::wstring(L"caff\xFFFD"));  // not UTF-8: marked, never dropped
  EXPECT_EQ(Widen(""), std::wstring());
  EXPECT_EQ(platform::windows::Narrow(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

// UTF-8 names given to the narrow C calls were read in the ANSI code page.
TEST(WindowsFiles, NamesWithAccentsAndOtherScriptsAreWrittenReadListedAndRemoved) {
  TempFolder folder;
  folder.Write("Città 漢/x", "");
  const std::string inner = folder.path() + "Città 漢\\";
  platform::files::WriteAtomically(inner + "perché.Dat", "uno\r\ndue\r\n");
  platform::files::WriteAtomically(inner + "perché.Dat", "tre\r\n");
  EXPECT_EQ(folder.Read("Città 漢/perché.Dat"), "tre\r\n");
  EXPECT_EQ(platform::files::ReadLines(inner + "perché.Dat", 10, 100).lines, std::vector<std::string>{"tre"});
  EXPECT_EQ(platform::files::FindFiles(inner, "*.DAT", true), std::vector<std::string>{"perché.Dat"});
  EXPECT_TRUE(platform::files::IsFolder(folder.path() + "Città 漢"));
  folder.Write("nascosta/x", "");
  ASSERT_TRUE(::SetFileAttributesW(Widen(folder.path() + "nascosta").c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(platform::files::VisibleSubfolders(folder.path()), std::vector<std::string>{"Città 漢"});
  EXPECT_EQ(platform::files::StatusOf(inner).kind, platform::files::PathStatus::Kind::Folder);
  platform::files::RemoveFile(inner + "perché.Dat");
  EXPECT_FALSE(folder.Exists("Città 漢/perché.Dat"));
  EXPECT_THROW(platform::files::RemoveFile(inner + "perché.Dat"), platform::UserError);
  EXPECT_EQ(platform::files::ReadLines(inner + "perché.Dat", 10, 100).reason, "File non trovato");
}

}  // namespace
