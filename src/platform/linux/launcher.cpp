#include "platform/launcher.h"

#include <gio/gio.h>

#include "platform/files.h"
#include "platform/paths.h"

namespace platform {

bool OpenDocument(const std::string& path) {
  if (!files::IsRegularFile(path) && !files::IsFolder(path)) return false;
  GFile* file = g_file_new_for_path(path.c_str());
  char* uri = g_file_get_uri(file);
  GError* error = nullptr;
  const bool ok = g_app_info_launch_default_for_uri(uri, nullptr, &error);
  if (error) g_error_free(error);
  g_free(uri);
  g_object_unref(file);
  return ok;
}

bool OpenFileIn(const std::string& path, const std::string&) { return OpenDocument(path); }

bool OpenHelpPage() {
  return OpenDocument(paths::ProgramFolder() + "HELP" + paths::kSeparator + "FALDONE.htm");
}

}  // namespace platform
