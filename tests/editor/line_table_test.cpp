#include "editor/line_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "store/profile_file.h"

namespace {

using editor::DeleteLine;
using editor::DropUndescribedLines;
using editor::ShownLines;
using editor::StartNewLine;
using editor::StoreLine;

store::ProfileState Profile(const std::vector<std::pair<std::string, std::string>>& lines) {
  store::ProfileState state;
  state.Nome_Copia = "Copia_01.Dat";
  state.Descriz_Copia = "Documenti";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    state.Des_Riga[i + 1] = lines[i].first;
    state.Path_Riga[i + 1] = lines[i].second;
  }
  state.Max_Num_Riga = static_cast<std::int16_t>(lines.size());
  return state;
}

TEST(LineTable, DeletingLineTwoOfFourRenumbersTheOthersInTheTableAndTheFile) {
  store::ProfileState state = Profile({{"Uno", "/uno/"}, {"Due", "/due/"}, {"Tre", "/tre/"}, {"Quattro", "/quattro/"}});
  DeleteLine(state, 2);
  EXPECT_EQ(state.Max_Num_Riga, 3);
  EXPECT_EQ(store::FormatProfile(state),
            "Copia_01.Dat#Documenti\r\n 1#Uno#/uno/\r\n 2#Tre#/tre/\r\n 3#Quattro#/quattro/\r\n");
  EXPECT_TRUE(state.Des_Riga[4].empty() && state.Path_Riga[4].empty());
  EXPECT_EQ(ShownLines(state)[2].substr(0, 3), "003");
}

TEST(LineTable, DeletingAlsoDropsLinesWithoutAFolder) {
  store::ProfileState state = Profile({{"Uno", "/uno/"}, {"Senza", "  "}, {"Tre", "/tre/"}});
  DeleteLine(state, 1);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Documenti\r\n 1#Tre#/tre/\r\n");
}

TEST(LineTable, ALineWithoutDescriptionInTheMiddleNeverCostsTheLinesAfterIt) {
  // The list leaves such a line out; counting only what it shows used to make the next
  // rewrite stop before the last line.
  store::ProfileState state = Profile({{"Uno", "/uno/"}, {" ", "/nascosta/"}, {"Tre", "/tre/"}});
  EXPECT_EQ(editor::UndescribedFolderLines(state), std::vector<int>{2});
  const std::vector<std::string> items = ShownLines(state);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].substr(0, 3), "001");
  EXPECT_EQ(items[1].substr(0, 3) + items[1].substr(47), "002/tre/");
  EXPECT_EQ(state.Max_Num_Riga, 2);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Documenti\r\n 1#Uno#/uno/\r\n 2#Tre#/tre/\r\n");
}

TEST(LineTable, ALinePreparedAndNeverConfirmedIsNeverWrittenNorSkippedOver) {
  store::ProfileState state = Profile({{"Uno", "/uno/"}, {"Due", "/due/"}});
  EXPECT_EQ(StartNewLine(state), 3);
  EXPECT_EQ(StartNewLine(state), 3);  // offered again, not 4 with a hole at 3
  // The user goes back to line 1 and confirms it instead.
  StoreLine(state, 1, "Uno bis", "/uno/bis/");
  DropUndescribedLines(state);
  EXPECT_EQ(store::FormatProfile(state),
            "Copia_01.Dat#Documenti\r\n 1#Uno bis#/uno/bis/\r\n 2#Due#/due/\r\n");
  EXPECT_EQ(StartNewLine(state), 3);
  StoreLine(state, 3, "Tre", "/tre/");
  DropUndescribedLines(state);
  EXPECT_EQ(state.Max_Num_Riga, 3);
}

TEST(LineTable, LinesLeftInTheTableByAnotherProfileNeverReachThisOne) {
  store::ProfileState state = Profile({{"Uno", "/uno/"}, {"Altra copia", "/altra/"}, {"Altra 2", "/altra2/"}});
  state.Max_Num_Riga = 1;  // this profile has one line; 2 and 3 are left over
  EXPECT_EQ(StartNewLine(state), 2);
  StoreLine(state, 1, "Uno", "/uno/");
  DropUndescribedLines(state);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Documenti\r\n 1#Uno#/uno/\r\n");
  EXPECT_TRUE(state.Des_Riga[2].empty() && state.Des_Riga[3].empty());
}

TEST(LineTable, AFullProfileOffersLine101WhichCannotBeStored) {
  std::vector<std::pair<std::string, std::string>> lines(100, {"Riga", "/riga/"});
  store::ProfileState state = Profile(lines);
  EXPECT_EQ(StartNewLine(state), 101);
  EXPECT_EQ(StartNewLine(state), 101);
  EXPECT_THROW(StoreLine(state, 101, "Troppo", "/troppo/"), std::out_of_range);
  EXPECT_THROW(DeleteLine(state, 0), std::out_of_range);
  DropUndescribedLines(state);
  EXPECT_EQ(state.Max_Num_Riga, 100);
}

}  // namespace
