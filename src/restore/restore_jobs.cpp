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
    const std::string problem =
        platform::files::IsRegularFile(archive) ? "" : "l'archivio " + name + " non esiste";
    jobs.push_back(runner::MakeJob(i, state.Des_Riga[i], state.Path_Riga[i], problem,
                                   runner::RestoreCommandLine(archiver, archive, target)));
  }
  return jobs;
}

}  // namespace restore
