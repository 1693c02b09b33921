#include "runner/process_runner.h"

#include "platform/text.h"

namespace runner {

ProcessHandle AVVIA_PROCESSO(const std::string& comando, const std::string& argomento,
                             const platform::process::CapturedOutput* messages,
                             platform::process::OutputPipe* progress) {
  std::string command_line = comando;
  if (!platform::text::Trim(argomento).empty()) command_line += " \"" + argomento + "\"";
  return ProcessHandle::Spawn(platform::process::SplitCommandLine(command_line), messages, progress);
}

bool PROCESSO_ATTIVO(ProcessHandle& handle, int& exit_code) {
  if (!handle) return false;
  const auto ended = handle.PollExit();
  if (!ended) return true;
  exit_code = *ended;
  return false;
}

}  // namespace runner
