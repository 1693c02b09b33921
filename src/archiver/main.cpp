// archivia: the ZIP archiver the backup program runs, one process per archive.

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "archiver/backup.h"
#include "archiver/command_arguments.h"
#include "archiver/command_line.h"
#include "archiver/exit_code.h"
#include "archiver/local_zone.h"
#include "archiver/messages.h"
#include "archiver/progress_channel.h"
#include "archiver/restore.h"

int main(int argc, char** argv) {
  using archiver::ExitCode;
  archiver::SettleLocalZone();
  const std::vector<std::string> arguments = archiver::CommandArguments(argc, argv);
  const std::optional<archiver::Command> command = archiver::ParseCommandLine(arguments);
  if (!command) {
    std::cerr << archiver::UsageText();
    return static_cast<int>(ExitCode::kNothingDone);
  }
  archiver::Messages messages(std::cerr, archiver::ProgressChannel());
  try {
    const ExitCode code = command->kind == archiver::Command::Kind::kBackup
                              ? archiver::Backup(command->archive, command->folder, messages)
                              : archiver::Restore(command->archive, command->folder, messages);
    return static_cast<int>(code);
  } catch (const std::exception& error) {
    messages.Failure(std::string("errore imprevisto: ") + error.what());
    return static_cast<int>(ExitCode::kNothingDone);
  }
}
