#include "editor/line_checks.h"

#include "picker/folder_choice.h"
#include "platform/text.h"
#include "store/numeric.h"
#include "store/profile_file.h"

namespace editor {

using platform::text::Trim;

CheckedLine CheckLine(const LineEntry& entry, store::ProfileState& state) {
  CheckedLine checked;
  auto fail = [&checked](std::string message) {
    checked.problem = std::move(message);
    return checked;
  };

  state.Nome_Copia = Trim(entry.profile_name);
  if (state.Nome_Copia.empty()) return fail("Indicare una copia personalizzata !!!");
  if (auto problem = store::ProfileNameProblem(state.Nome_Copia)) return fail(*problem);

  state.Descriz_Copia = Trim(entry.profile_description);
  if (state.Descriz_Copia.empty())
    return fail("Indicare una descrizione per la copia personalizzata !!!");
  if (auto problem = store::FieldProblem(store::Field::ProfileDescription, state.Descriz_Copia))
    return fail(*problem);

  checked.number = store::NumericValue16(entry.number);
  if (checked.number == 0) return fail("Selezionare una copia esistente o inserirne una nuova !!!");
  // The line table holds lines 1..100: "Nuova copia" on a full profile offers 101.
  if (checked.number < 1 || checked.number > store::kMaxFolderLines)
    return fail("Una copia personalizzata può contenere al massimo " +
                std::to_string(store::kMaxFolderLines) + " righe !!!");

  checked.description = Trim(entry.description);
  if (checked.description.empty()) return fail("Indicare una descrizione !!!");
  if (auto problem = store::FieldProblem(store::Field::LineDescription, checked.description))
    return fail(*problem);
  checked.description_passed = true;

  checked.path = Trim(entry.path);
  if (checked.path.empty()) return fail("Indicare un nome di cartella da salvare !!!");
  if (auto problem = store::FieldProblem(store::Field::LinePath, checked.path))
    return fail(*problem);
  // The archiver's command line puts the folder between double quotes.
  if (checked.path.find('"') != std::string::npos)
    return fail("Il nome della cartella non può contenere il carattere \" (virgolette) !!!");
  checked.path = picker::WithClosingSeparator(checked.path);
  return checked;
}

}  // namespace editor
