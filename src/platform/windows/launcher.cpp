#include "platform/launcher.h"

// windows.h (through wide.h) before the shell header, which relies on its types.
#include "platform/windows/wide.h"

#include <shellapi.h>

#include "platform/paths.h"

namespace platform {
namespace {

// Where the help page lies when the program folder has none: the folder the program was
// always installed in.
constexpr const char* kInstalledHelpPage = "C:\\FALDONE\\HELP\\FALDONE.htm";

bool Exists(const std::string& path) {
  return ::GetFileAttributesW(windows::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool OpenDocument(const std::string& path) {
  // A missing document is refused here: the shell would otherwise show its own error box.
  if (!Exists(path)) return false;
  const HINSTANCE result = ::ShellExecuteW(nullptr, nullptr, windows::Widen(path).c_str(), nullptr,
                                           nullptr, SW_SHOWMAXIMIZED);
  // The shell's documented test: values above 32 mean the document was handed over.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool OpenHelpPage() {
  return OpenDocument(paths::ProgramFolder() + "HELP\\FALDONE.htm") || OpenDocument(kInstalledHelpPage);
}

}  // namespace platform
