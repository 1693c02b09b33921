#include "main_window/backup_jobs.h"

#include "platform/text.h"
#include "runner/archive_names.h"
#include "runner/archiver_commands.h"

namespace main_window {

std::vector<runner::Job> BackupJobs(const store::ProfileState& state, int day, int month,
                                    const std::string& archiver) {
  const std::string profile_code = runner::ProfileCode(state.Nome_Copia);
  std::vector<runner::Job> jobs;
  for (int i = 1; i <= state.Num_Righe; ++i) {
    const std::string& folder = state.Path_Riga[i];
    runner::Job job{i, state.Des_Riga[i], folder, {}, {}};
    const std::string archive =
        state.Path_Dati + runner::ArchiveName(day, month, profile_code, runner::LineCode(i));
    const auto command_line = runner::BackupCommandLine(archiver, archive, folder);
    if (platform::text::Trim(folder).empty())
      job.refusal = "la cartella da salvare non è indicata";
    else if (!command_line)
      job.refusal = runner::kQuoteRefusal;
    else
      job.command_line = *command_line;
    jobs.push_back(std::move(job));
  }
  return jobs;
}

}  // namespace main_window
