#include "platform/text_editor.h"

#include <gio/gio.h>

namespace platform {

bool OpenInTextEditor(const std::string& path) {
  GAppInfo* editor = g_app_info_get_default_for_type("text/plain", FALSE);
  if (!editor) return false;
  GFile* file = g_file_new_for_path(path.c_str());
  GList files{file, nullptr, nullptr};
  GError* error = nullptr;
  const bool started = g_app_info_launch(editor, &files, nullptr, &error);
  if (error) g_error_free(error);
  g_object_unref(file);
  g_object_unref(editor);
  return started;
}

}  // namespace platform
