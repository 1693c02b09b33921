#include "editor/line_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "store/profile_file.h"
#include "store/profile_test_helpers.h"

namespace {

store::ProfileState Profile(const testing_support::Lines& lines) {
  return testing_support::Profile("Copia_01.Dat", "Casa", lines);
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

  state = Profile(testing_support::Lines(100, {"Riga", "/riga/"}));
  EXPECT_EQ(editor::StartNewLine(state), 101);
  EXPECT_EQ(editor::StartNewLine(state), 101);
  EXPECT_THROW(editor::StoreLine(state, 101, "Troppo", "/troppo/"), std::out_of_range);
}

}  // namespace
