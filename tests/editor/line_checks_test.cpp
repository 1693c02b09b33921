#include "editor/line_checks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/list_columns.h"
#include "platform/paths.h"
#include "store/editor_items.h"

namespace {

using editor::CheckLine;
using editor::LineEntry;

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
      {{"A.Dat", "Casa", "2", "Foto", "  "}, "Indicare un nome di cartella da salvare !!!", "A.Dat", "Casa", true},
  };
  for (const Case& c : cases) {
    store::ProfileState state;
    state.Nome_Copia = state.Descriz_Copia = "prima";
    const editor::CheckedLine checked = CheckLine(c.entry, state);
    EXPECT_EQ(checked.problem.value_or("none"), c.message);
    EXPECT_EQ(state.Nome_Copia + "|" + state.Descriz_Copia,
              c.name_after + "|" + c.description_after);
    EXPECT_EQ(checked.description_passed, c.description_passed) << c.message;
  }
}

TEST(ConfirmChecks, RefuseWhatWouldBreakTheFileOrTheArchiverCommandLine) {
  const std::vector<std::pair<LineEntry, std::string>> cases = {
      // "#" separates the fields: the folder would move when the file is read again.
      {{"A.Dat", "Casa", "1", "Foto #1", "/f"},
       "La descrizione della riga non può contenere il carattere # !!!"},
      {{"A.Dat", "Casa", "1", "Foto\ndel mare", "/f"},
       "La descrizione della riga non può andare a capo !!!"},
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
  const editor::CheckedLine line =
      CheckLine({"A.Dat", "Casa", " 3 ", "  Lettere ", "  " + native("/home/a/Lettere") + "  "}, state);
  EXPECT_EQ(std::to_string(line.number) + "|" + line.description + "|" + line.path,
            "3|Lettere|" + native("/home/a/Lettere/"));
  EXPECT_EQ(CheckLine({"A.Dat", "Casa", "3", "Lettere", native("/home/a/")}, state).path, native("/home/a/"));
}

TEST(ListColumns, ALineReadBackFromTheListShowsAtMost40CharactersOfItsDescription) {
  const std::string fifty = "Relazioni trimestrali del reparto vendite 2003 ABC";
  const editor::ListedLine line =
      editor::ReadListItem(store::EditorListItem(7, fifty, "/home/a/Città/"));
  EXPECT_EQ(std::to_string(line.number) + "|" + line.description + "|" + line.path,
            "7|" + fifty.substr(0, 40) + "|/home/a/Città/");
  EXPECT_EQ(editor::ReadListItem(store::EditorListItem(12, "Perché così", "/p/")).description,
            "Perché così");
}

}  // namespace
