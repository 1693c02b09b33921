// The explorer's logic on Linux: texts, marker, resize rule, tree keys, folders, properties.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "explorer/clipboard_marker.h"
#include "explorer/explorer_layout.h"
#include "explorer/folder_reader.h"
#include "explorer/size_text.h"
#include "explorer/tree_keys.h"
#include "platform/properties.h"
#include "support/temp_folder.h"

namespace explorer {
namespace {

using Strings = std::vector<std::string>;
using testing_support::TempFolder;

TEST(SizeText, KilobytesRoundHalfToEvenAndNeverHideANonEmptyFile) {
  const std::pair<std::uint64_t, const char*> cases[] = {  // over 4 GB, not what 32 bits leave
      {0, "0 Kb"}, {1, "1 Kb"}, {1024, "1 Kb"}, {1535, "1 Kb"}, {1536, "2 Kb"}, {2560, "2 Kb"},
      {3584, "4 Kb"}, {1048575, "1024 Kb"}, {5368709120ULL, "5242880 Kb"}, {18446744073709551615ULL, "18014398509481984 Kb"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), text) << bytes;
}

TEST(ClipboardMarker, MarkersReadBackAsMadeAndNothingElseReadsAsOne) {
  // folder, name, operation, marker, marked path
  const std::tuple<std::string, std::string, MarkerOperation, std::string, std::string> cases[] = {
      {"/home/anna/Dati", "lettera.txt", MarkerOperation::Cut, "cartoscope;/home/anna/Dati;lettera.txt;cut",
       "/home/anna/Dati/lettera.txt"},
      {"/home/anna/Foto", "", MarkerOperation::Copy, "cartoscope;/home/anna/Foto;;copy", "/home/anna/Foto"},
      {"/", "a b.txt", MarkerOperation::Copy, "cartoscope;/;a b.txt;copy", "/a b.txt"}};
  for (const auto& [folder, name, operation, text, path] : cases) {
    EXPECT_EQ(MakeMarker(folder, name, operation), text);
    const auto marker = ParseMarker(text);  // read back, it makes the same text
    ASSERT_TRUE(marker) << text;
    EXPECT_EQ(MakeMarker(marker->folder, marker->name, marker->copy ? MarkerOperation::Copy : MarkerOperation::Cut),
              text);
    EXPECT_EQ(MarkedPath(*marker), path);
  }
  for (const char* moves : {"cartoscope;/a;b;move", "cartoscope;/a;b;Copy"})  // anything but "copy"
    EXPECT_FALSE(ParseMarker(moves).value().copy) << moves;
  EXPECT_FALSE(MakeMarker("/home/anna/a;b", "", MarkerOperation::Copy));
  EXPECT_FALSE(MakeMarker("/home/anna", "x;y.txt", MarkerOperation::Cut));
  // Broken, foreign and overlong texts name nothing.
  for (const char* text : {"", "abc", "cartoscope", "cartoscope;", "cartoscope;/a",
                           "cartoscope;/a;b", "Cartoscope;/a;b;copy", "cartoscopeX/a;b;copy",
                           "cartoscope;;b;copy", "cartoscope;relativo;b;copy",
                           "cartoscope;/a;..;copy", "cartoscope;/a;.;copy", "cartoscope;/a;x/y;copy",
                           " cartoscope;/a;b;copy"})
    EXPECT_FALSE(ParseMarker(text)) << text;
  // The separators lie within the first 32767 characters, not bytes: ";;" at 32766-32767.
  const std::string near_limit = "/" + std::string(32767 - 14, 'x');
  EXPECT_TRUE(ParseMarker("cartoscope;" + near_limit + ";;copy"));
  EXPECT_FALSE(ParseMarker("cartoscope;" + near_limit + "x;;copy"));
  std::string accented = "/";
  for (int i = 0; i < 32767 - 14; ++i) accented += "è";
  EXPECT_TRUE(ParseMarker("cartoscope;" + accented + ";;copy"));
}

std::vector<int> Places(const layout::ResizableParts& p) {
  return {p.tree_height, p.list_height, p.list_width,  p.confirm_top,
          p.cancel_top,  p.confirm_left, p.cancel_left, p.buttons_visible};
}

TEST(ResizeLayout, TheClassicSizeGivesTheLaidOutPlacesAndEachRuleHoldsBackAtItsBoundary) {
  const layout::ResizableParts start = layout::kInitialParts;
  EXPECT_EQ(Places(layout::ResizeLayout(start, 9240, 5760)),
            (std::vector<int>{4515, 4215, 5955, 5025, 5025, 3200, 4385, true}));
  // Each rule holds back at its boundary; a short window keeps the buttons where they were.
  std::vector<int> held = Places(start);
  held.back() = false;
  EXPECT_EQ(Places(layout::ResizeLayout(start, 3285, 1545)), held);
  const layout::ResizableParts tiny = layout::ResizeLayout(start, 3286, 1546);
  EXPECT_EQ(Places(tiny), (std::vector<int>{301, 1, 1, 5025, 5040, 3200, 4385, false}));
  const layout::ResizableParts shorter = layout::ResizeLayout(start, 9240, 1606);
  EXPECT_TRUE(shorter.buttons_visible);
  EXPECT_EQ(shorter.confirm_top, 871);
  // Sideways the buttons follow the list's width as the width rule left it.
  EXPECT_EQ(layout::ResizeLayout(start, 3285, 5760).confirm_left, start.confirm_left);
  const layout::ResizableParts narrow = layout::ResizeLayout(tiny, 3285, 5760);
  EXPECT_EQ(narrow.list_width, 1);
  EXPECT_EQ(narrow.confirm_left, 3199);
  EXPECT_EQ(narrow.cancel_left, 4384);
}

TEST(TreeKeys, TheWalkVisitsEveryFolderBetweenTheNodeAndTheTarget) {
  // A folder may end in a space on this system: the chosen folder keeps it.
  EXPECT_EQ(ChosenFolder("/home/anna/note "), "/home/anna/note /");
  EXPECT_EQ(ChosenFolder("/"), "/");
  EXPECT_EQ(WalkKeys("/", "/a/b/c"), (Strings{"/a", "/a/b", "/a/b/c"}));
  EXPECT_EQ(WalkKeys("/media/usb", "/media/usb/Foto/2003"),
            (Strings{"/media/usb/Foto", "/media/usb/Foto/2003"}));
  EXPECT_EQ(WalkKeys("/a", "/a/b/"), (Strings{"/a/b"}));
  for (const auto& [from, to] : {std::pair{"/a", "/a"}, {"/a", "/ab/c"}, {"/media/usb", "/home/anna"}})
    EXPECT_TRUE(WalkKeys(from, to).empty()) << to;
}

TEST(FolderReader, ListsEverythingButFoldersWithSizesAndDotNamesHiddenAndNeverReadsSystemTrees) {
  TempFolder folder;
  folder.Write("b.txt", std::string(1025, 'x'));
  folder.Write(".nascosto", "");
  folder.Write("Sotto/dentro.txt", "non in lista");
  ASSERT_EQ(::symlink("Sotto", (folder.path() + "collegamento-cartella").c_str()), 0);
  ASSERT_EQ(::symlink("b.txt", (folder.path() + "A-collegamento").c_str()), 0);
  ASSERT_EQ(::symlink("nessuno", (folder.path() + "rotto").c_str()), 0);

  const FolderFiles listing = ReadFiles(folder.path());
  EXPECT_EQ(listing.error, 0);
  Strings shown;  // name, size and hidden mark
  for (const FileEntry& file : listing.files)
    shown.push_back(file.name + " " + std::to_string(file.size) + (file.hidden ? " h" : ""));
  // A link shows what it points to, a broken link its own length.
  EXPECT_EQ(shown, (Strings{".nascosto 0 h", "A-collegamento 1025", "b.txt 1025", "rotto 7"}));
  // System trees are never read ahead, user folders are.
  for (const char* path : {"/proc", "/proc/self", "/sys", "/sys/kernel", "/dev", "/run", "/run/lock"})
    EXPECT_TRUE(IsPseudoFileSystem(path)) << path;
  for (const std::string& path : {std::string("/"), folder.path(), std::string("/run/media/anna/USB"),
                                   std::string("/proceedings"), std::string("/devel")})
    EXPECT_FALSE(IsPseudoFileSystem(path)) << path;
}

TEST(Properties, AFileShowsItsSizeGroupedItsModeAndItsFolder) {
  TempFolder folder;
  folder.Write("Dati/a.bin", std::string(1234567, 'a'));
  ASSERT_EQ(::chmod((folder.path() + "Dati/a.bin").c_str(), 0640), 0);
  const auto file = platform::properties::Gather(folder.path() + "Dati/a.bin");
  EXPECT_EQ(file.size, "1.234.567 byte");
  EXPECT_EQ(file.permissions, "rw-r----- (640)");
  EXPECT_EQ(file.location, folder.path() + "Dati");
  EXPECT_FALSE(file.is_folder);
}

}  // namespace
}  // namespace explorer
