#include "editor/line_checks.h"

#include <gtest/gtest.h>

#include "editor/list_columns.h"
#include "store/editor_items.h"

namespace {

using editor::CheckLine;
using editor::LineEntry;

LineEntry GoodEntry() {
  return {" Copia_01.Dat ", "  Documenti di casa ", "3", "  Lettere ", "  /home/anna/Lettere  "};
}

// Each entry breaks one check; the checks run in this order, so each is caught by its own
// message even though every later field is broken too.
TEST(ConfirmChecks, RunInOrderAndLeaveTheStateTheUserExpects) {
  struct Case {
    LineEntry entry;
    std::string message;
    bool description_passed;
    std::string name_after, description_after;
  };
  const std::vector<Case> cases = {
      {{"  ", "", "0", "", ""}, "Indicare una copia personalizzata !!!", false, "", "prima"},
      {{"Copia_01.Dat", "  ", "0", "", ""},
       "Indicare una descrizione per la copia personalizzata !!!", false, "Copia_01.Dat", ""},
      {{"Copia_01.Dat", "Casa", "", "", ""},
       "Selezionare una copia esistente o inserirne una nuova !!!", false, "Copia_01.Dat", "Casa"},
      {{"Copia_01.Dat", "Casa", "101", "", ""},
       "Una copia personalizzata può contenere al massimo 100 righe !!!", false, "Copia_01.Dat", "Casa"},
      {{"Copia_01.Dat", "Casa", "2", "   ", ""}, "Indicare una descrizione !!!", false,
       "Copia_01.Dat", "Casa"},
      {{"Copia_01.Dat", "Casa", "2", "Foto", "  "}, "Indicare un nome di cartella da salvare !!!",
       true, "Copia_01.Dat", "Casa"},
  };
  for (const Case& c : cases) {
    store::ProfileState state;
    state.Nome_Copia = "prima";
    state.Descriz_Copia = "prima";
    const editor::CheckedLine checked = CheckLine(c.entry, state);
    EXPECT_EQ(checked.problem.value_or("none"), c.message);
    EXPECT_EQ(checked.description_passed, c.description_passed) << c.message;
    EXPECT_EQ(state.Nome_Copia, c.name_after) << c.message;
    EXPECT_EQ(state.Descriz_Copia, c.description_after) << c.message;
  }
}

TEST(ConfirmChecks, AGoodLineIsTrimmedAndItsFolderGetsOneClosingSeparator) {
  store::ProfileState state;
  editor::CheckedLine checked = CheckLine(GoodEntry(), state);
  EXPECT_FALSE(checked.problem.has_value());
  EXPECT_EQ(checked.number, 3);
  EXPECT_EQ(checked.description, "Lettere");
  EXPECT_EQ(checked.path, "/home/anna/Lettere/");
  EXPECT_EQ(state.Nome_Copia, "Copia_01.Dat");
  EXPECT_EQ(state.Descriz_Copia, "Documenti di casa");

  LineEntry ends_with_separator = GoodEntry();
  ends_with_separator.path = "/home/anna/Lettere/";
  EXPECT_EQ(CheckLine(ends_with_separator, state).path, "/home/anna/Lettere/");
  LineEntry mask = GoodEntry();
  mask.path = "/home/anna/*.DAT";
  EXPECT_EQ(CheckLine(mask, state).path, "/home/anna/*.DAT/");
}

TEST(ConfirmChecks, RefuseWhatWouldBreakTheFileOrTheArchiverCommandLine) {
  struct Case {
    void (*spoil)(LineEntry&);
    std::string message;  // how the message starts
    bool description_passed;
  };
  const std::vector<Case> cases = {
      // "#" separates the fields: the folder would move when the file is read again.
      {[](LineEntry& e) { e.description = "Foto #1"; },
       "La descrizione della riga non può contenere il carattere # !!!", false},
      {[](LineEntry& e) { e.description = "Foto\ndel mare"; },
       "La descrizione della riga non può andare a capo !!!", false},
      {[](LineEntry& e) { e.path = "/home/anna\n/x"; },
       "Il nome della cartella non può andare a capo !!!", true},
      {[](LineEntry& e) { e.path = "/home/anna/\"citazioni\""; },
       "Il nome della cartella non può contenere il carattere \" (virgolette) !!!", true},
      {[](LineEntry& e) { e.profile_description = "Casa\r\nLavoro"; },
       "La descrizione della copia personalizzata non può andare a capo !!!", false},
      // The name is a file name in the data folder: it may not reach outside it.
      {[](LineEntry& e) { e.profile_name = "../Copia_01.Dat"; },
       "Nome di copia personalizzata non valido", false},
  };
  for (const Case& c : cases) {
    LineEntry entry = GoodEntry();
    c.spoil(entry);
    store::ProfileState state;
    const editor::CheckedLine checked = CheckLine(entry, state);
    ASSERT_TRUE(checked.problem.has_value()) << c.message;
    EXPECT_EQ(checked.problem->substr(0, c.message.size()), c.message);
    EXPECT_EQ(checked.description_passed, c.description_passed) << c.message;
  }
}

TEST(ListColumns, ALineReadBackFromTheListShowsAtMost40CharactersOfItsDescription) {
  const std::string fifty = "Relazioni trimestrali del reparto vendite 2003 ABC";
  ASSERT_EQ(fifty.size(), 50u);
  const editor::ListedLine line =
      editor::ReadListItem(store::EditorListItem(7, fifty, "/home/anna/Relazioni/"));
  EXPECT_EQ(line.number, 7);
  EXPECT_EQ(line.description, fifty.substr(0, 40));
  EXPECT_EQ(line.path, "/home/anna/Relazioni/");

  const editor::ListedLine accented =
      editor::ReadListItem(store::EditorListItem(12, "Perché così", "/home/anna/Città/"));
  EXPECT_EQ(accented.description, "Perché così");
  EXPECT_EQ(accented.path, "/home/anna/Città/");
}

}  // namespace
