// Size texts, the clipboard marker, the resize rule and the view choices.
#include <gtest/gtest.h>

#include "explorer/clipboard_marker.h"
#include "explorer/explorer_layout.h"
#include "explorer/size_text.h"
#include "explorer/tree_keys.h"

namespace explorer {
namespace {

TEST(SizeText, KilobytesRoundHalfToEvenAndNeverHideANonEmptyFile) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 Kb"},          {1, "1 Kb"},          {1024, "1 Kb"},       {1025, "1 Kb"},
      {1535, "1 Kb"},       {1536, "2 Kb"},       {1537, "2 Kb"},       {2560, "2 Kb"},
      {3584, "4 Kb"},       {1048576, "1024 Kb"}, {1048575, "1024 Kb"},
      // Over 4 GB the full size is shown, not what 32 bits would leave of it.
      {5368709120ULL, "5242880 Kb"},
      {18446744073709551615ULL, "18014398509481984 Kb"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), text) << bytes;
}

TEST(ClipboardMarker, FileAndFolderMarkersReadBackAsTheyWereMade) {
  EXPECT_EQ(MakeMarker("/home/anna/Dati", "lettera.txt", MarkerOperation::Cut),
            "cartoscope;/home/anna/Dati;lettera.txt;cut");
  EXPECT_EQ(MakeMarker("/home/anna/Foto", "", MarkerOperation::Copy),
            "cartoscope;/home/anna/Foto;;copy");
  EXPECT_EQ(MakeMarker("/", "a b.txt", MarkerOperation::Copy), "cartoscope;/;a b.txt;copy");

  const auto file = ParseMarker("cartoscope;/home/anna/Dati;lettera.txt;cut");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->folder, "/home/anna/Dati");
  EXPECT_EQ(file->name, "lettera.txt");
  EXPECT_FALSE(file->copy);
  EXPECT_EQ(MarkedPath(*file), "/home/anna/Dati/lettera.txt");

  const auto folder = ParseMarker("cartoscope;/home/anna/Foto;;copy");
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->copy);
  EXPECT_EQ(MarkedPath(*folder), "/home/anna/Foto");
  EXPECT_EQ(MarkedPath(*ParseMarker("cartoscope;/;x;copy")), "/x");
  // Anything but "copy" moves, "move" and "Copy" included.
  EXPECT_FALSE(ParseMarker("cartoscope;/a;b;move")->copy);
  EXPECT_FALSE(ParseMarker("cartoscope;/a;b;Copy")->copy);
}

TEST(ClipboardMarker, APathHoldingTheSeparatorIsNeverPutInAMarker) {
  EXPECT_FALSE(MakeMarker("/home/anna/a;b", "", MarkerOperation::Copy));
  EXPECT_FALSE(MakeMarker("/home/anna", "x;y.txt", MarkerOperation::Cut));
}

TEST(ClipboardMarker, BrokenOrForeignTextsNameNothing) {
  for (const char* text : {"", "abc", "cartoscope", "cartoscope;", "cartoscope;/a",
                           "cartoscope;/a;b", "Cartoscope;/a;b;copy", "cartoscopeX/a;b;copy",
                           "cartoscope;;b;copy", "cartoscope;relativo;b;copy",
                           "cartoscope;/a;..;copy", "cartoscope;/a;.;copy", "cartoscope;/a;x/y;copy",
                           " cartoscope;/a;b;copy"})
    EXPECT_FALSE(ParseMarker(text)) << text;
}

TEST(ClipboardMarker, SeparatorsMustLieWithinTheFirst32767Characters) {
  // Characters, not bytes: "è" is two bytes and one character.
  // "cartoscope;" is 11 characters: the folder then ends at 32765 and ";;" takes 32766-32767.
  const std::string near_limit = "/" + std::string(32767 - 14, 'x');
  EXPECT_TRUE(ParseMarker("cartoscope;" + near_limit + ";;copy"));
  EXPECT_FALSE(ParseMarker("cartoscope;" + near_limit + "x;;copy"));
  std::string accented = "/";
  for (int i = 0; i < 32767 - 14; ++i) accented += "è";
  EXPECT_TRUE(ParseMarker("cartoscope;" + accented + ";;copy"));
}

TEST(ResizeLayout, TheClassicOuterSizeGivesTheLaidOutPlaces) {
  const layout::ResizableParts parts = layout::ResizeLayout(layout::kInitialParts, 9240, 5760);
  EXPECT_EQ(parts.tree_height, 4515);
  EXPECT_EQ(parts.list_height, 4215);
  EXPECT_EQ(parts.list_width, 5955);
  EXPECT_EQ(parts.confirm_top, 5025);
  EXPECT_EQ(parts.cancel_top, 5025);
  EXPECT_EQ(parts.confirm_left, 3200);
  EXPECT_EQ(parts.cancel_left, 4385);
  EXPECT_TRUE(parts.buttons_visible);
}

TEST(ResizeLayout, EachRuleHoldsBackAtItsBoundary) {
  layout::ResizableParts start = layout::kInitialParts;
  // Heights follow only above 1545, the list width only above 3285: strict comparisons.
  layout::ResizableParts parts = layout::ResizeLayout(start, 3285, 1545);
  EXPECT_EQ(parts.tree_height, start.tree_height);
  EXPECT_EQ(parts.list_height, start.list_height);
  EXPECT_EQ(parts.list_width, start.list_width);
  EXPECT_FALSE(parts.buttons_visible);  // 765 + 1545 is not above 2370
  const layout::ResizableParts tiny = layout::ResizeLayout(start, 3286, 1546);
  parts = tiny;
  EXPECT_EQ(parts.tree_height, 301);
  EXPECT_EQ(parts.list_height, 1);
  EXPECT_EQ(parts.list_width, 1);
  EXPECT_FALSE(parts.buttons_visible);
  // A short window keeps its buttons hidden and where they were.
  EXPECT_EQ(parts.confirm_top, start.confirm_top);
  parts = layout::ResizeLayout(start, 9240, 1606);
  EXPECT_TRUE(parts.buttons_visible);
  EXPECT_EQ(parts.confirm_top, 871);
  // Sideways the buttons follow the list's width as it is after the rule for the width.
  EXPECT_EQ(layout::ResizeLayout(start, 3285, 5760).confirm_left, start.confirm_left);
  const layout::ResizableParts narrow = layout::ResizeLayout(tiny, 3285, 5760);
  EXPECT_EQ(narrow.list_width, 1);
  EXPECT_EQ(narrow.confirm_left, 3285 - 1 - 1185 + 1100);
  EXPECT_EQ(narrow.cancel_left, 3285 - 1 + 1100);
}

TEST(TreeKeys, TheWalkVisitsEveryFolderBetweenTheNodeAndTheTarget) {
  // A folder may end in a space on this system: the chosen folder keeps it.
  EXPECT_EQ(ChosenFolder("/home/anna/note "), "/home/anna/note /");
  EXPECT_EQ(ChosenFolder("/"), "/");
  EXPECT_EQ(WalkKeys("/", "/a/b/c"), (std::vector<std::string>{"/a", "/a/b", "/a/b/c"}));
  EXPECT_EQ(WalkKeys("/media/usb", "/media/usb/Foto/2003"),
            (std::vector<std::string>{"/media/usb/Foto", "/media/usb/Foto/2003"}));
  EXPECT_EQ(WalkKeys("/a", "/a/b/"), (std::vector<std::string>{"/a/b"}));
  EXPECT_TRUE(WalkKeys("/a", "/a").empty());
  EXPECT_TRUE(WalkKeys("/a", "/ab/c").empty());
  EXPECT_TRUE(WalkKeys("/media/usb", "/home/anna").empty());
}

}  // namespace
}  // namespace explorer
