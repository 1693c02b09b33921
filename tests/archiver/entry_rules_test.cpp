// What the archive's own bytes may ask of an extraction, and how metadata is encoded.

#include <gtest/gtest.h>
#include <zip.h>

#include "archive_fixture.h"
#include "archiver/archive_leftovers.h"
#include "archiver/entry_metadata.h"
#include "archiver/entry_name.h"
#include "archiver/item_error.h"

namespace {

using archiver::EntryKind;
using archiver::SplitEntryName;
constexpr archiver::Backslash kCharacter = archiver::Backslash::kCharacter;
constexpr archiver::Backslash kSeparator = archiver::Backslash::kSeparator;
constexpr archiver::NameRules kLinux = archiver::NameRules::kLinux;
constexpr archiver::NameRules kWindows = archiver::NameRules::kWindows;

TEST(EntryName, SplitsOrdinaryNamesIntoComponents) {
  using Parts = std::vector<std::string>;
  EXPECT_EQ(SplitEntryName("home/anna/cartella vuota/", kCharacter, kLinux), (Parts{"home", "anna", "cartella vuota"}));
  EXPECT_EQ(SplitEntryName("./a//b/./c", kCharacter, kLinux), (Parts{"a", "b", "c"}));
  // Harmless on Linux: a colon after no drive letter, a dot-dot or a backslash inside a name.
  EXPECT_EQ(SplitEntryName("1:a/..b/c\\d/e:f", kCharacter, kLinux), (Parts{"1:a", "..b", "c\\d", "e:f"}));
  EXPECT_EQ(SplitEntryName("a\\.\\b/c", kSeparator, kLinux), (Parts{"a", "b", "c"}));
  for (const std::string name : {"console.txt", "nullo", "COM0", "COM10", "lpt", "a.b.c", ".nascosto", "perché.txt"})
    EXPECT_EQ(SplitEntryName("x/" + name, kCharacter, kWindows), (Parts{"x", name})) << name;
}

// Fault guarded: a file of the share "\\server\dati\" came back one folder too deep.
TEST(EntryName, AWindowsPathIsStoredBelowItsDriveOrItsShare) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"C:\\dati\\a.txt", "dati/a.txt"}, {"c:\\", ""}, {"C:dati", "dati"}, {"\\dati\\x", "dati/x"},
      {"\\\\server\\dati\\docs\\a.txt", "docs/a.txt"}, {"\\\\server\\dati\\", ""},
      {"\\\\server\\dati", ""}, {"//server/dati/docs", "docs"}};
  for (const auto& [path, name] : rows) EXPECT_EQ(archiver::WindowsEntryName(path), name) << path;
}

// On Windows "a:b" is a stream of "a", "nul.txt" a device, "\" a separator; a final dot drops.
TEST(EntryName, RefusesEveryNameThatCouldLeaveTheTargetOrMeanAnotherFile) {
  for (const std::string name : {"../x", "a/../../x", "a/..", "..", "/etc/passwd", "C:/x", "C:x", "", "./", "/"}) {
    EXPECT_THROW(SplitEntryName(name, kCharacter, kLinux), archiver::ItemError) << name;
    EXPECT_THROW(SplitEntryName(name, kSeparator, kLinux), archiver::ItemError) << name;
  }
  for (const std::string name : {"..\\x", "a\\..\\..\\x", "\\x", "c:\\x", "a/..\\..\\x"})
    EXPECT_THROW(SplitEntryName(name, kSeparator, kLinux), archiver::ItemError) << name;
  for (const std::string name : {"dati:flusso", "cartella/file.txt:nascosto", "CON", "con", "nul.txt", "Aux.tar.gz",
                                 "cartella/COM1", "lpt9.log", "PRN ", "..\\x", "a\\..\\..\\x", "a*b", "a?b",
                                 "a\"b", "a<b", "a>b", "a|b", "a\tb", "fine.", "fine "}) {
    EXPECT_THROW(SplitEntryName(name, kCharacter, kWindows), archiver::ItemError) << name;
    EXPECT_FALSE(archiver::WindowsNameProblem(archiver::SplitEntryName(name, kCharacter, kLinux).back()).empty())
        << name;
  }
  EXPECT_THAT([] { SplitEntryName("dati/nul.txt", kSeparator, kWindows); },
              testing::ThrowsMessage<archiver::ItemError>(
                  testing::StrEq("voce rifiutata \"dati/nul.txt\": nome riservato a un dispositivo di Windows")));
}

// Fault guarded: "/" not a folder, modes where none were stored, MS-DOS read-only or hidden bits lost.
TEST(EntryType, TheNameTheUnixModeAndTheMsDosByteTellTheKindAndAttributes) {
  EXPECT_EQ(archiver::ReadEntryType("x/", ZIP_OPSYS_UNIX, (archiver::kUnixLink | 0777u) << 16).kind, EntryKind::kFolder);
  EXPECT_FALSE(archiver::ReadEntryType("x/", ZIP_OPSYS_UNIX, 0020777u << 16).special);  // a character device
  const auto dos_file = archiver::ReadEntryType("f", 0, 0x20);
  EXPECT_EQ(dos_file.kind, EntryKind::kFile);
  EXPECT_FALSE(dos_file.permissions);
  EXPECT_EQ(archiver::ReadEntryType("d", 0, 0x10).kind, EntryKind::kFolder);
  const std::uint32_t read_only_hidden = archiver::ExternalAttributes(EntryKind::kFile, 0444, true);
  EXPECT_EQ(read_only_hidden >> 16, archiver::kUnixFile | 0444);
  const auto type = archiver::ReadEntryType("f", ZIP_OPSYS_UNIX, read_only_hidden);
  EXPECT_EQ(type.permissions, 0444u);
  EXPECT_TRUE(type.read_only);
  EXPECT_TRUE(type.hidden);
  const auto writable = archiver::ReadEntryType("f", ZIP_OPSYS_UNIX, archiver::ExternalAttributes(EntryKind::kFile, 0640, false));
  EXPECT_FALSE(writable.read_only || writable.hidden);
  const auto folder = archiver::ReadEntryType("d/", ZIP_OPSYS_UNIX, archiver::ExternalAttributes(EntryKind::kFolder, 0755, true));
  EXPECT_EQ(folder.kind, EntryKind::kFolder);
  EXPECT_TRUE(folder.hidden);
  EXPECT_TRUE(archiver::ReadEntryType("f", ZIP_OPSYS_WINDOWS_NTFS, 0x21).read_only);  // as Windows tools write it
}

TEST(ExtendedTimestamp, KeepsTimesBefore1970AndDeclinesWhatItsFieldCannotHold) {
  const auto before_1970 = archiver::EncodeExtendedTimestamp(-86400);
  ASSERT_TRUE(before_1970);
  EXPECT_EQ(archiver::DecodeExtendedTimestamp(before_1970->data(), before_1970->size(), std::nullopt), -86400);
  EXPECT_FALSE(archiver::EncodeExtendedTimestamp(2147483648LL));  // after January 2038
  // An MS-DOS time from a day before January 2038 on makes the bits unsigned.
  const std::uint8_t after_2038[] = {0x01, 0, 0, 0, 0x80};
  EXPECT_EQ(archiver::DecodeExtendedTimestamp(after_2038, 5, 2'147'397'247), 2'147'483'648);
  EXPECT_EQ(archiver::DecodeExtendedTimestamp(after_2038, 5, 2'147'397'246), -2'147'483'648);
  const std::uint8_t cut_short[] = {0x01, 1, 2};
  EXPECT_FALSE(archiver::DecodeExtendedTimestamp(cut_short, sizeof cut_short, std::nullopt));
}

// Fault guarded: leftovers whose names end in z, Z or 9 were kept, or other names taken for them.
TEST(Leftovers, AreTheArchivesNameADotAndSixLettersOrDigits) {
  EXPECT_TRUE(archiver::IsLeftoverName("a.zip.azAZ09", "a.zip"));
  for (const std::string name :
       {"a.zip.azAZ0{", "a.zip.azAZ0[", "a.zip.azAZ0:", "a.zip.azAZ0_", "a.zipxazAZ09", "a.zip.azAZ0"})
    EXPECT_FALSE(archiver::IsLeftoverName(name, "a.zip")) << name;
}

// Fault guarded: NTFS times (UTC) of Windows tools passed over for the local MS-DOS time.
TEST(ModificationTime, TheFirstFieldThatHoldsATimeWinsInItsOrderAndDamagedFieldsAreSkipped) {
  using archiver::ModificationTime;
  const std::string with_mtime = {1, 0, 0, 0x10, 0};  // 0x5455: 1,048,576
  const std::string access_only = {2, 0, 0x20, 0, 0};
  const std::string old_unix = {1, 0, 0, 0, 0, 0, 0x30, 0, 9, 0, 9, 0};  // 0x5855: 3,145,728, user, group
  const std::string ntfs = archiver_test::NtfsTimesData({1'055'700'000, 1'234'567});
  const std::string other_tag_first = std::string(4, '\0') + std::string{2, 0, 1, 0, 7} + ntfs.substr(4);
  const struct {
    std::vector<std::pair<std::uint16_t, std::string>> fields;
    ModificationTime expected;
  } rows[] = {
      {{{0x5855, old_unix}, {0x000a, ntfs}, {0x5455, with_mtime}}, {1'048'576, 0}},
      {{{0x5855, old_unix}, {0x5455, access_only}, {0x000a, ntfs}}, {1'055'700'000, 1'234'567}},
      {{{0x000a, other_tag_first}}, {1'055'700'000, 1'234'567}},
      {{{0x000a, ntfs.substr(0, 20)}, {0x5855, old_unix}}, {3'145'728, 0}},                // cut short
      {{{0x000a, archiver_test::NtfsTimesData({-11'644'473'600, 0})}, {0x5855, old_unix.substr(0, 7)}},
       {1'000, 0}},  // unset (zero), short
  };
  for (const auto& row : rows) {
    std::vector<archiver::ExtraField> fields;
    for (const auto& [id, data] : row.fields)
      fields.push_back({id, reinterpret_cast<const std::uint8_t*>(data.data()), static_cast<std::uint16_t>(data.size())});
    const ModificationTime time = archiver::EntryModificationTime(fields, 1'000);
    EXPECT_EQ(std::pair(time.seconds, time.ticks), std::pair(row.expected.seconds, row.expected.ticks))
        << testing::PrintToString(row.fields);
  }
}

}  // namespace
