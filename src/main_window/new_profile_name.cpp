#include "main_window/new_profile_name.h"

#include "platform/files.h"
#include "platform/text.h"
#include "runner/archive_names.h"

namespace main_window {
namespace {

constexpr const char* kProfilePattern = "*.DAT";

bool EndsWithDat(const std::string& name) {
  return name.size() > 4 &&
         platform::text::ToUpperAscii(name.substr(name.size() - 4)) == ".DAT";
}

}  // namespace

std::optional<std::string> NewProfileNameProblem(const std::string& data_folder,
                                                 const std::string& name) {
  if (name.find(' ') != std::string::npos)
    return "Il nome " + name +
           " contiene uno spazio: nell'elenco lo spazio separa il nome dalla descrizione, "
           "quindi la copia non si potrebbe più scegliere. Usare ad esempio _ al posto degli "
           "spazi !!!";
  if (!EndsWithDat(name))
    return "Il nome " + name +
           " non finisce con .Dat: l'elenco mostra solo i file .Dat, quindi la copia non "
           "comparirebbe più. Usare un nome come Copia_05.Dat !!!";
  // The code is taken from the text before the first "."; without any, archives get a
  // one-character code that the restore cannot find.
  if (name.front() == '.')
    return "Il nome " + name + " non può cominciare con un punto !!!";

  const std::string code = runner::ProfileCode(name);
  for (const std::string& other : platform::files::FindFiles(data_folder, kProfilePattern, true)) {
    if (other == name || runner::ProfileCode(other) != code) continue;
    return "Il nome " + name + " ha lo stesso codice di copia (" + code + ") di " + other +
           ", che si trova già nella cartella dei dati: gli archivi delle due copie avrebbero "
           "gli stessi nomi e si mescolerebbero. Scegliere un altro nome !!!";
  }
  return std::nullopt;
}

}  // namespace main_window
