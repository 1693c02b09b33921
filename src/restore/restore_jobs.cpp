#include "restore/restore_jobs.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runner/archive_names.h"
#include "runner/archiver_commands.h"

namespace restore {

std::vector<runner::Job> RestoreJobs(const store::ProfileState& state, const std::string& archiver) {
  const std::string run = platform::text::LeftChars(state.Archivio_Scelto, 6);
  const bool over_originals = platform::text::Trim(state.Cartella_Arrivo).empty();
  std::vector<runner::Job> jobs;
  for (int i = 1; i <= state.Num_Righe; ++i) {
    const std::string name = run + runner::LineCode(i) + ".ZIP";
    const std::string archive = state.Path_Dati + name;
    const std::string target =
        over_originals ? platform::paths::DriveRoot(state.Path_Riga[i]) : state.Cartella_Arrivo;
    // Over the originals the archive goes back to the root of the folder's drive; a folder that
    // names no drive would send it into whatever folder the archiver happens to start in.
    std::string problem;
    if (!platform::files::IsRegularFile(archive))
      problem = "l'archivio " + name + " non esiste";
    else if (over_originals && !platform::paths::IsAbsolute(state.Path_Riga[i]))
      problem = "la cartella d'origine non è un percorso completo: " + state.Path_Riga[i];
    jobs.push_back(runner::MakeJob(i, state.Des_Riga[i], state.Path_Riga[i], problem,
                                   runner::RestoreCommandLine(archiver, archive, target)));
  }
  return jobs;
}

}  // namespace restore
