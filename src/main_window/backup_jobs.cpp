#include "main_window/backup_jobs.h"

#include "runner/archive_names.h"
#include "runner/archiver_commands.h"
#include "runner/folder_checks.h"

namespace main_window {

std::vector<runner::Job> BackupJobs(const store::ProfileState& state, int day, int month,
                                    const std::string& archiver) {
  const std::string profile_code = runner::ProfileCode(state.Nome_Copia);
  std::vector<runner::Job> jobs;
  for (int i = 1; i <= state.Num_Righe; ++i) {
    const std::string& folder = state.Path_Riga[i];
    const std::string archive =
        state.Path_Dati + runner::ArchiveName(day, month, profile_code, runner::LineCode(i));
    const runner::CheckedFolder checked = runner::CheckFolderToSave(folder);
    jobs.push_back(runner::MakeJob(i, state.Des_Riga[i], folder, checked.problem,
                                   runner::BackupCommandLine(archiver, archive, checked.folder)));
  }
  return jobs;
}

}  // namespace main_window
