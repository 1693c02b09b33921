#include "editor/line_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "store/profile_file.h"

namespace {

store::ProfileState Profile(const std::vector<std::pair<std::string, std::string>>& lines) {
  store::ProfileState state;
  state.Nome_Copia = "Copia_01.Dat";
  state.Descriz_Copia = "Casa";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    state.Des_Riga[i + 1] = lines[i].first;
    state.Path_Riga[i + 1] = lines[i].second;
  }
  state.Max_Num_Riga = static_cast<std::int16_t>(lines.size());
  return state;
}

TEST(LineTable, DeletingLineTwoOfFourRenumbersTheRestAndDropsLinesWithoutAFolder) {
  store::ProfileState state =
      Profile({{"Uno", "/1/"}, {"Due", "/2/"}, {"Senza", " "}, {"Tre", "/3/"}, {"Quattro", "/4/"}});
  editor::DeleteLine(state, 2);
  EXPECT_EQ(store::FormatProfile(state),
            "Copia_01.Dat#Casa\r\n 1#Uno#/1/\r\n 2#Tre#/3/\r\n 3#Quattro#/4/\r\n");
  EXPECT_TRUE(state.Des_Riga[4].empty() && state.Path_Riga[5].empty());
  EXPECT_THROW(editor::DeleteLine(state, 0), std::out_of_range);
}

TEST(LineTable, ANewLineIsOfferedOnceUntilConfirmedAndNeverPastTheTable) {
  store::ProfileState state = Profile({{"Uno", "/1/"}, {"Due", "/2/"}, {"Altra copia", "/altra/"}});
  state.Max_Num_Riga = 2;  // line 3 is left over from a profile edited earlier
  EXPECT_EQ(editor::StartNewLine(state), 3);
  EXPECT_EQ(editor::StartNewLine(state), 3);  // not 4 with a hole at 3
  editor::DropUndescribedLines(state);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Casa\r\n 1#Uno#/1/\r\n 2#Due#/2/\r\n");

  state = Profile(std::vector<std::pair<std::string, std::string>>(100, {"Riga", "/riga/"}));
  EXPECT_EQ(editor::StartNewLine(state), 101);
  EXPECT_EQ(editor::StartNewLine(state), 101);
  EXPECT_THROW(editor::StoreLine(state, 101, "Troppo", "/troppo/"), std::out_of_range);
}

}  // namespace
