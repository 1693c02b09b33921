#include "platform/launcher.h"

// windows.h (through wide.h) before the shell header, which relies on its types.
#include "platform/windows/wide.h"

#include <shellapi.h>

#include "platform/paths.h"
#include "platform/windows/long_path.h"

namespace platform {
namespace {

// Where the help page lies when the program folder has none: the folder the program was
// always installed in.
constexpr const char* kInstalledHelpPage = "C:\\FALDONE\\HELP\\FALDONE.htm";

bool Exists(const std::string& path) {
  return ::GetFileAttributesW(windows::LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Has the shell start the file's program: a null verb is the file's default one, an empty
// folder leaves the program in this one's working folder.
bool Launch(const std::string& path, const wchar_t* verb, const std::string& folder, int show) {
  // A missing file is refused here: the shell would otherwise show its own error box.
  if (!Exists(path)) return false;
  const std::wstring wide_folder = windows::Widen(folder);
  const HINSTANCE result = ::ShellExecuteW(nullptr, verb, windows::Widen(path).c_str(), nullptr,
                                           folder.empty() ? nullptr : wide_folder.c_str(), show);
  // The shell's documented test: values above 32 mean the file was handed over.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool OpenDocument(const std::string& path) { return Launch(path, nullptr, {}, SW_SHOWMAXIMIZED); }

bool OpenFileIn(const std::string& path, const std::string& folder) {
  return Launch(path, L"open", folder, SW_SHOWNORMAL);
}

bool OpenHelpPage() {
  return OpenDocument(paths::ProgramFolder() + "HELP\\FALDONE.htm") || OpenDocument(kInstalledHelpPage);
}

}  // namespace platform
