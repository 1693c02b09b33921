// The editor's logic without its window: line table, checks of "Conferma", list columns, fitted captions.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "editor/line_checks.h"
#include "editor/line_table.h"
#include "editor/list_columns.h"
#include "platform/fit_text.h"
#include "platform/paths.h"
#include "store/editor_items.h"
#include "store/profile_file.h"
#include "store/profile_test_helpers.h"

namespace {

using namespace editor;

store::ProfileState Profile(const testing_support::Lines& lines) {
  return testing_support::Profile("Copia_01.Dat", "Casa", lines);
}

TEST(LineTable, DeletingLineTwoOfFourRenumbersTheRestAndDropsLinesWithoutAFolder) {
  store::ProfileState state =
      Profile({{"Uno", "/1/"}, {"Due", "/2/"}, {"Senza", " "}, {"Tre", "/3/"}, {"Quattro", "/4/"}});
  DeleteLine(state, 2);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Casa\r\n 1#Uno#/1/\r\n 2#Tre#/3/\r\n 3#Quattro#/4/\r\n");
  EXPECT_TRUE(state.Des_Riga[4].empty() && state.Path_Riga[5].empty());
  EXPECT_THROW(DeleteLine(state, 0), std::out_of_range);
}

TEST(LineTable, ANewLineIsOfferedOnceUntilConfirmedAndNeverPastTheTable) {
  store::ProfileState state = Profile({{"Uno", "/1/"}, {"Due", "/2/"}, {"Altra copia", "/altra/"}});
  state.Max_Num_Riga = 2;  // line 3 is left over from a profile edited earlier
  EXPECT_EQ(StartNewLine(state), 3);
  EXPECT_EQ(StartNewLine(state), 3);  // not 4 with a hole at 3
  DropUndescribedLines(state);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Casa\r\n 1#Uno#/1/\r\n 2#Due#/2/\r\n");

  state = Profile(testing_support::Lines(100, {"Riga", "/riga/"}));
  EXPECT_EQ(StartNewLine(state), 101);
  EXPECT_EQ(StartNewLine(state), 101);
  EXPECT_THROW(StoreLine(state, 101, "Troppo", "/troppo/"), std::out_of_range);
}

// Each entry breaks one check and every later one; the state keeps what was read till then.
TEST(ConfirmChecks, RunInOrderAndLeaveTheStateAsFarAsTheyGot) {
  struct Case {
    LineEntry entry;
    std::string message, name_after, description_after;
    bool description_passed;
  };
  const std::vector<Case> cases = {
      {{"  ", "", "0", "", ""}, "Indicare una copia personalizzata !!!", "", "prima", false},
      {{"A.Dat", " ", "0", "", ""}, "Indicare una descrizione per la copia personalizzata !!!", "A.Dat", "", false},
      {{"A.Dat", "Casa", "", "", ""}, "Selezionare una copia esistente o inserirne una nuova !!!", "A.Dat", "Casa", false},
      {{"A.Dat", "Casa", "101", "", ""}, "Una copia personalizzata può contenere al massimo 100 righe !!!", "A.Dat", "Casa", false},
      {{"A.Dat", "Casa", "2", "   ", ""}, "Indicare una descrizione !!!", "A.Dat", "Casa", false},
      {{"A.Dat", "Casa", "100", "Foto", "  "}, "Indicare un nome di cartella da salvare !!!", "A.Dat", "Casa", true}, };
  for (const Case& c : cases) {
    store::ProfileState state;
    state.Nome_Copia = state.Descriz_Copia = "prima";
    const CheckedLine checked = CheckLine(c.entry, state);
    EXPECT_EQ(checked.problem.value_or("none"), c.message);
    EXPECT_EQ(state.Nome_Copia + "|" + state.Descriz_Copia, c.name_after + "|" + c.description_after);
    EXPECT_EQ(checked.description_passed, c.description_passed) << c.message;
  }
}

TEST(ConfirmChecks, RefuseWhatWouldBreakTheFileOrTheArchiverCommandLine) {
  const std::vector<std::pair<LineEntry, std::string>> cases = {
      // "#" separates the fields: the folder would move when the file is read again.
      {{"A.Dat", "Casa", "1", "Foto #1", "/f"}, "La descrizione della riga non può contenere il carattere # !!!"},
      {{"A.Dat", "Casa", "1", "Foto\ndel mare", "/f"}, "La descrizione della riga non può andare a capo !!!"},
      {{"A.Dat", "Casa", "1", "Foto", "/f\n/g"}, "Il nome della cartella non può andare a capo !!!"},
      {{"A.Dat", "Casa", "1", "Foto", "/\"f\""},
       "Il nome della cartella non può contenere il carattere \" (virgolette) !!!"},
      {{"A.Dat", "Casa\r\nLavoro", "1", "Foto", "/f"},
       "La descrizione della copia personalizzata non può andare a capo !!!"},
      // The name is a file name in the data folder: it may not reach outside it.
      {{"../A.Dat", "Casa", "1", "Foto", "/f"}, "Nome di copia personalizzata non valido"},
  };
  for (const auto& [entry, message] : cases) {
    store::ProfileState state;
    EXPECT_EQ(CheckLine(entry, state).problem.value_or("none").substr(0, message.size()), message);
  }
}

TEST(ConfirmChecks, AGoodLineIsTrimmedAndItsFolderEndsInOneSeparator) {
  const auto native = [](std::string path) {
    std::replace(path.begin(), path.end(), '/', platform::paths::kSeparator);
    return path;
  };
  store::ProfileState state;
  const CheckedLine line =
      CheckLine({"A.Dat", "Casa", " 3 ", "  Lettere ", "  " + native("/home/a/Lettere") + "  "}, state);
  EXPECT_EQ(std::to_string(line.number) + "|" + line.description + "|" + line.path,
            "3|Lettere|" + native("/home/a/Lettere/"));
  EXPECT_EQ(CheckLine({"A.Dat", "Casa", "3", "Lettere", native("/home/a/")}, state).path, native("/home/a/"));
}

TEST(ListColumns, ALineReadBackFromTheListShowsAtMost40CharactersOfItsDescription) {
  const std::string fifty = "Relazioni trimestrali del reparto vendite 2003 ABC";
  const ListedLine line = ReadListItem(store::EditorListItem(7, fifty, "/home/a/Città/"));
  EXPECT_EQ(std::to_string(line.number) + "|" + line.description + "|" + line.path,
            "7|" + fifty.substr(0, 40) + "|/home/a/Città/");
  EXPECT_EQ(ReadListItem(store::EditorListItem(12, "Perché così", "/p/")).description, "Perché così");
}

// Every character 10 units wide.
int TenEach(const std::string& line) { return static_cast<int>(line.size()) * 10; }

TEST(FitText, ButtonCaptionsBreakAtSpacesIntoLinesThatFit) {
  using platform::WrapAtSpaces;
  EXPECT_EQ(WrapAtSpaces("Sfoglia / Ricerca   Cartella/Directory...", 200, TenEach),
            (std::vector<std::string>{"Sfoglia / Ricerca", "Cartella/Directory..."}));
  EXPECT_EQ(WrapAtSpaces("Annulla Fine", 110, TenEach), (std::vector<std::string>{"Annulla", "Fine"}));
  // A word too long for any line keeps a line of its own, whole.
  EXPECT_EQ(WrapAtSpaces("a Precipitevolissimevolmente b", 50, TenEach),
            (std::vector<std::string>{"a", "Precipitevolissimevolmente", "b"}));
  EXPECT_TRUE(WrapAtSpaces("   ", 50, TenEach).empty());
}

}  // namespace
