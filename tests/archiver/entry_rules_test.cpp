// What the archive's own bytes may ask of an extraction, and how metadata is encoded.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include "archiver/entry_metadata.h"
#include "archiver/entry_name.h"
#include "archiver/item_error.h"

namespace {

using archiver::EntryKind;
using archiver::ItemError;
using archiver::SplitEntryName;
constexpr archiver::Backslash kCharacter = archiver::Backslash::kCharacter;
constexpr archiver::Backslash kSeparator = archiver::Backslash::kSeparator;

TEST(EntryName, SplitsOrdinaryNamesIntoComponents) {
  EXPECT_EQ(SplitEntryName("home/anna/Documenti/a.txt", kCharacter),
            (std::vector<std::string>{"home", "anna", "Documenti", "a.txt"}));
  EXPECT_EQ(SplitEntryName("home/anna/cartella vuota/", kCharacter),
            (std::vector<std::string>{"home", "anna", "cartella vuota"}));
  EXPECT_EQ(SplitEntryName("./a//b/./c", kCharacter), (std::vector<std::string>{"a", "b", "c"}));
  // Harmless on Linux: a dot-dot inside a name, a backslash inside a name, a colon later on.
  EXPECT_EQ(SplitEntryName("a/..b/c\\d/e:f", kCharacter), (std::vector<std::string>{"a", "..b", "c\\d", "e:f"}));
  EXPECT_EQ(SplitEntryName("a\\.\\b/c", kSeparator), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(EntryName, RefusesEveryNameThatCouldLeaveTheTarget) {
  for (const std::string name : {"../x", "a/../../x", "a/..", "..", "/etc/passwd", "C:/x", "C:x", "", "./", "/"}) {
    EXPECT_THROW(SplitEntryName(name, kCharacter), ItemError) << name;
    EXPECT_THROW(SplitEntryName(name, kSeparator), ItemError) << name;
  }
  for (const std::string name : {"..\\x", "a\\..\\..\\x", "\\x", "c:\\x", "a/..\\..\\x"})
    EXPECT_THROW(SplitEntryName(name, kSeparator), ItemError) << name;
  try {
    SplitEntryName("../segreto", kCharacter);
    FAIL();
  } catch (const ItemError& error) {
    EXPECT_NE(std::string(error.what()).find("\"../segreto\""), std::string::npos) << error.what();
  }
}

// Unix modes, devices and setuid bits are covered by the hostile archives; these are the cases
// only other tools produce.
TEST(EntryType, TrailingSlashMakesAFolderAndArchivesWithoutUnixModesGetNone) {
  EXPECT_EQ(archiver::ReadEntryType("x/", ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16).kind, EntryKind::kFolder);
  EXPECT_FALSE(archiver::ReadEntryType("x/", ZIP_OPSYS_UNIX, (S_IFCHR | 0777u) << 16).special);
  const auto dos_file = archiver::ReadEntryType("f", 0, 0x20);
  EXPECT_EQ(dos_file.kind, EntryKind::kFile);
  EXPECT_FALSE(dos_file.permissions);
  EXPECT_EQ(archiver::ReadEntryType("d", 0, 0x10).kind, EntryKind::kFolder);
}

TEST(ExtendedTimestamp, KeepsTimesBefore1970AndDeclinesWhatItsFieldCannotHold) {
  const auto before_1970 = archiver::EncodeExtendedTimestamp(-86400);
  ASSERT_TRUE(before_1970);
  EXPECT_EQ(archiver::DecodeExtendedTimestamp(before_1970->data(), before_1970->size(), std::nullopt), -86400);
  EXPECT_FALSE(archiver::EncodeExtendedTimestamp(2147483648LL));  // after January 2038
  const std::uint8_t access_time_only[] = {0x02, 1, 2, 3, 4};
  EXPECT_FALSE(archiver::DecodeExtendedTimestamp(access_time_only, sizeof access_time_only, std::nullopt));
  const std::uint8_t cut_short[] = {0x01, 1, 2};
  EXPECT_FALSE(archiver::DecodeExtendedTimestamp(cut_short, sizeof cut_short, std::nullopt));
}

}  // namespace
