#include "platform/files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/paths.h"
#include "platform/reparse_tags.h"
#include "platform/user_error.h"
#include "support/temp_folder.h"

namespace {

using platform::files::MatchesWildcard;
using testing_support::TempFolder;

// The search pattern of profile 1 found the archives of profile 11 too.
TEST(Wildcards, QuestionMarkIsExactlyOneCharacterAndCaseCountsUnlessIgnored) {
  const std::tuple<const char*, const char*, bool, bool> rows[] = {  // name, pattern, ignoring case?, matches?
      {"1406_1_1.ZIP", "????_1??.ZIP", false, true},      {"0101_111.ZIP", "????_1??.ZIP", false, true},
      {"140611_1.ZIP", "????_1??.ZIP", false, false},     {"1406_1_1X.ZIP", "????_1??.ZIP", false, false},
      {"1406_1_1.ZIP.tmp", "????_1??.ZIP", false, false}, {"140611_1.ZIP", "????11??.ZIP", false, true},
      {"Copia_01.Dat", "*.DAT", true, true},              {"Copia_01.Dat", "*.DAT", false, false},
      {"Copia_01.Dat.bak", "*.DAT", true, false},         {"a.b.DAT", "*.DAT", true, true}};
  for (const auto& [name, pattern, ignore_case, matches] : rows)
    EXPECT_EQ(MatchesWildcard(name, pattern, ignore_case), matches) << name << " " << pattern;
}

TEST(Files, FindFilesListsOnlyRegularFilesThatMatchAndVisibleSubfoldersOnlyFoldersLinksIncluded) {
  TempFolder folder;
  folder.Write("a.DAT", "x");
  folder.Write("b.txt", "x");
  folder.Write("dir.DAT/inside", "x");
  EXPECT_EQ(platform::files::FindFiles(folder.path(), "*.dat", true),
            std::vector<std::string>{"a.DAT"});
  EXPECT_EQ(platform::files::VisibleSubfolders(folder.path()), std::vector<std::string>{"dir.DAT"});
  EXPECT_EQ(platform::files::VisibleSubfolders(folder.path() + "manca"), std::nullopt);
#ifndef _WIN32
  // The folder pickers list what the toolkit listed: links to folders, no hidden folders.
  folder.Write(".nascosta/x", "");
  ASSERT_EQ(::symlink("dir.DAT", (folder.path() + "collegamento").c_str()), 0);
  auto names = platform::files::VisibleSubfolders(folder.path()).value();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"collegamento", "dir.DAT"}));
#endif
}

// The rename needs only the folder's permission: a read-only profile was swapped for a writable one.
TEST(Files, AtomicWriteLeavesReadOnlyFilesAndFoldersAsTheyWere) {
  namespace fs = std::filesystem;
  TempFolder folder;
  const std::string locked = folder.path() + "sola_lettura.Dat";
  folder.Write("sola_lettura.Dat", "da tenere");
  fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_THAT([&] { platform::files::WriteAtomically(locked, "nuovo"); },
              testing::ThrowsMessage<platform::UserError>(testing::HasSubstr(locked + " è protetto da scrittura")));
  EXPECT_EQ(folder.Read("sola_lettura.Dat"), "da tenere");
  EXPECT_EQ(fs::status(locked).permissions() & fs::perms::owner_write, fs::perms::none);
  fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);

  folder.Write("d.Dat/x", "dentro");
  EXPECT_THROW(platform::files::WriteAtomically(folder.path() + "d.Dat", "nuovo"), platform::UserError);
  EXPECT_EQ(folder.Read("d.Dat/x"), "dentro");
  EXPECT_EQ(folder.Listing(), "d.Dat sola_lettura.Dat");
}

// Cut at the bound, a folder line read as another folder; a device or a pipe is never read.
TEST(Files, ReadLinesHonoursEveryLineEndAndStopsAtAnOverLongLine) {
  TempFolder folder;
  folder.Write("f", "uno\r\ndue\ntre\rquattro\r\n\nsei");
  using platform::files::ReadLines;
  auto read = ReadLines(folder.path() + "f", 10, 100);
  EXPECT_EQ(read.lines, (std::vector<std::string>{"uno", "due", "tre", "quattro", "", "sei"}));
  EXPECT_EQ(read.error, 0);
  EXPECT_FALSE(read.line_too_long);
  EXPECT_EQ(ReadLines(folder.path() + "f", 2, 100).lines, (std::vector<std::string>{"uno", "due"}));
  read = ReadLines(folder.path() + "f", 10, 3);
  EXPECT_EQ(read.lines, (std::vector<std::string>{"uno", "due", "tre"}));
  EXPECT_TRUE(read.line_too_long);

  EXPECT_EQ(ReadLines(folder.path() + "manca", 10, 100).error, ENOENT);
  EXPECT_EQ(ReadLines(folder.path(), 10, 100).error, EISDIR);
#ifdef _WIN32
  const std::string special = "NUL";  // "CON" would wait for the keyboard
#else
  const std::string special = folder.path() + "tubo";  // nobody writes: the window would wait for good
  ASSERT_EQ(::mkfifo(special.c_str(), 0644), 0);
#endif
  read = ReadLines(special, 10, 100);
  EXPECT_EQ(read.error, EINVAL);
  EXPECT_TRUE(read.lines.empty());
}

// The data folder is the program's own: read from /proc on Linux, which Windows has not.
TEST(Paths, TheProgramFolderHoldsTheRunningProgram) {
  const std::string folder = platform::paths::ProgramFolder();
  ASSERT_TRUE(platform::paths::IsAbsolute(folder)) << folder;
  EXPECT_EQ(folder.back(), platform::paths::kSeparator);
  EXPECT_TRUE(platform::files::IsRegularFile(folder + "platform_tests" FALDONE_EXE_SUFFIX)) << folder;
}

// Every file of a OneDrive folder is a reparse point: skipping them all backed the folder up empty.
TEST(ReparseTags, OnlyJunctionsLinksAndOtherNameSurrogatesLeadElsewhere) {
  // A junction, a link, a WSL link, a global link, a tag that could not be read.
  for (const std::uint32_t tag : {0xA0000003u, 0xA000000Cu, 0xA000001Du, 0xA0000019u, platform::kUnreadableReparseTag})
    EXPECT_TRUE(platform::LeadsElsewhere(tag)) << std::hex << tag;
  // Cloud files (two of their pages), deduplicated, container overlay, storage tiering, none.
  for (const std::uint32_t tag : {0x9000001Au, 0x9000601Au, 0x80000013u, 0x80000018u, 0xC0000004u, 0u})
    EXPECT_FALSE(platform::LeadsElsewhere(tag)) << std::hex << tag;
}

}  // namespace
