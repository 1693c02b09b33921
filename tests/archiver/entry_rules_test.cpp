// What the archive's own bytes may ask of an extraction, and how metadata is encoded.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include "archiver/archive_leftovers.h"
#include "archiver/entry_metadata.h"
#include "archiver/entry_name.h"
#include "archiver/item_error.h"

namespace {

using archiver::EntryKind;
using archiver::ItemError;
using archiver::SplitEntryName;

TEST(EntryName, SplitsOrdinaryNamesIntoComponents) {
  EXPECT_EQ(SplitEntryName("home/anna/Documenti/a.txt"),
            (std::vector<std::string>{"home", "anna", "Documenti", "a.txt"}));
  EXPECT_EQ(SplitEntryName("home/anna/cartella vuota/"), (std::vector<std::string>{"home", "anna", "cartella vuota"}));
  EXPECT_EQ(SplitEntryName("./a//b/./c"), (std::vector<std::string>{"a", "b", "c"}));
  // Harmless on Linux: a dot-dot inside a name, a backslash inside a name, a colon later on.
  EXPECT_EQ(SplitEntryName("a/..b/c\\d/e:f"), (std::vector<std::string>{"a", "..b", "c\\d", "e:f"}));
}

TEST(EntryName, RefusesEveryNameThatCouldLeaveTheTarget) {
  for (const std::string name : {"../x", "a/../../x", "a/..", "..", "..\\x", "a\\..\\..\\x", "/etc/passwd", "\\x",
                                 "C:/x", "c:\\x", "C:x", "", "./", "/"}) {
    EXPECT_THROW(SplitEntryName(name), ItemError) << name;
  }
  try {
    SplitEntryName("../segreto");
    FAIL();
  } catch (const ItemError& error) {
    EXPECT_NE(std::string(error.what()).find("\"../segreto\""), std::string::npos) << error.what();
  }
}

TEST(EntryType, ReadsUnixModesDropsSpecialBitsAndRefusesDevices) {
  const auto file = archiver::ReadEntryType("a", ZIP_OPSYS_UNIX, (S_IFREG | 04755u) << 16);
  EXPECT_EQ(file.kind, EntryKind::kFile);
  EXPECT_EQ(file.permissions, 0755u);  // no setuid
  EXPECT_FALSE(file.special);

  EXPECT_EQ(archiver::ReadEntryType("l", ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16).kind, EntryKind::kLink);
  EXPECT_EQ(archiver::ReadEntryType("d", ZIP_OPSYS_UNIX, (S_IFDIR | 02775u) << 16).permissions, 0775u);
  EXPECT_TRUE(archiver::ReadEntryType("dev", ZIP_OPSYS_UNIX, (S_IFCHR | 0666u) << 16).special);
  EXPECT_TRUE(archiver::ReadEntryType("fifo", ZIP_OPSYS_UNIX, (S_IFIFO | 0666u) << 16).special);

  // A trailing slash makes a folder whatever the attributes claim.
  EXPECT_EQ(archiver::ReadEntryType("x/", ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16).kind, EntryKind::kFolder);
  // Archives from MS-DOS or Windows tools carry no Unix mode.
  const auto dos = archiver::ReadEntryType("f", 0, 0x20);
  EXPECT_EQ(dos.kind, EntryKind::kFile);
  EXPECT_FALSE(dos.permissions);
  EXPECT_EQ(archiver::ReadEntryType("d", 0, 0x10).kind, EntryKind::kFolder);
}

TEST(EntryType, AttributesWrittenForAnItemReadBackAsTheSameItem) {
  for (const auto kind : {EntryKind::kFile, EntryKind::kFolder, EntryKind::kLink}) {
    const std::string name = kind == EntryKind::kFolder ? "d/" : "x";
    const auto type = archiver::ReadEntryType(name, ZIP_OPSYS_UNIX, archiver::ExternalAttributes(kind, 0750));
    EXPECT_EQ(type.kind, kind);
    EXPECT_EQ(type.permissions, 0750u);
  }
}

TEST(ExtendedTimestamp, KeepsSecondsExactlyWithinItsRangeAndDeclinesOutside) {
  for (const std::int64_t mtime : {0LL, 981173106LL, -86400LL, 2147483647LL}) {
    const auto field = archiver::EncodeExtendedTimestamp(mtime);
    ASSERT_TRUE(field);
    EXPECT_EQ(archiver::DecodeExtendedTimestamp(field->data(), field->size()), mtime);
  }
  EXPECT_FALSE(archiver::EncodeExtendedTimestamp(2147483648LL));
  const std::uint8_t access_time_only[] = {0x02, 1, 2, 3, 4};
  EXPECT_FALSE(archiver::DecodeExtendedTimestamp(access_time_only, sizeof access_time_only));
  const std::uint8_t short_field[] = {0x01, 1, 2};
  EXPECT_FALSE(archiver::DecodeExtendedTimestamp(short_field, sizeof short_field));
}

TEST(Leftovers, OnlyTheArchiveNameADotAndSixLettersOrDigits) {
  EXPECT_TRUE(archiver::IsLeftoverName("01020304.ZIP.aB3xYz", "01020304.ZIP"));
  EXPECT_FALSE(archiver::IsLeftoverName("01020304.ZIP.aB3xY", "01020304.ZIP"));
  EXPECT_FALSE(archiver::IsLeftoverName("01020304.ZIP.aB3-Yz", "01020304.ZIP"));
  EXPECT_FALSE(archiver::IsLeftoverName("01020305.ZIP.aB3xYz", "01020304.ZIP"));
  EXPECT_FALSE(archiver::IsLeftoverName("01020304.ZIPxaB3xYz", "01020304.ZIP"));
}

}  // namespace
