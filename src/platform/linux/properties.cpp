#include "platform/properties.h"

#include <gio/gio.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/errno_text.h"
#include "platform/paths.h"

namespace platform::properties {
namespace {

constexpr int kFileManagerTimeoutMs = 10000;

std::string KindOf(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return "Cartella";
  if (S_ISREG(st.st_mode)) return "File";
  if (S_ISLNK(st.st_mode)) return "Collegamento simbolico";
  return "File speciale";
}

std::string Permissions(mode_t mode) {
  const char letters[] = "rwxrwxrwx";
  std::string symbolic;
  for (int bit = 0; bit < 9; ++bit) symbolic += (mode & (0400 >> bit)) ? letters[bit] : '-';
  char octal[8];
  std::snprintf(octal, sizeof octal, "%03o", static_cast<unsigned>(mode & 0777));
  return symbolic + " (" + octal + ")";
}

std::string Owner(uid_t uid, gid_t gid) {
  std::string user = std::to_string(uid);
  std::string group = std::to_string(gid);
  char buffer[4096];
  passwd pw{};
  passwd* found_user = nullptr;
  if (::getpwuid_r(uid, &pw, buffer, sizeof buffer, &found_user) == 0 && found_user)
    user = found_user->pw_name;
  struct group gr {};
  struct group* found_group = nullptr;
  if (::getgrgid_r(gid, &gr, buffer, sizeof buffer, &found_group) == 0 && found_group)
    group = found_group->gr_name;
  return user + ", gruppo " + group;
}

void OnFileManagerReply(GObject* bus, GAsyncResult* result, gpointer data) {
  std::unique_ptr<std::string> path(static_cast<std::string*>(data));
  GError* error = nullptr;
  if (GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, &error)) {
    g_variant_unref(reply);
    return;
  }
  g_error_free(error);
  ShowOwnProperties(*path);
}

// The session bus, kept for the life of the program once reached.
GDBusConnection* SessionBus() {
  static GDBusConnection* bus = [] {
    GError* error = nullptr;
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (error) g_error_free(error);
    return connection;
  }();
  return bus;
}

}  // namespace

ItemProperties Gather(const std::string& path) {
  ItemProperties item;
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == paths::kSeparator) trimmed.pop_back();
  const auto slash = trimmed.find_last_of(paths::kSeparator);
  item.name = slash == std::string::npos || trimmed == "/" ? trimmed : trimmed.substr(slash + 1);
  item.location = paths::FolderOf(trimmed);
  struct stat st {};
  if (::lstat(trimmed.c_str(), &st) != 0) {
    const std::string why = ErrnoText(errno);
    item.kind = item.size = item.modified = item.permissions = item.owner = why;
    return item;
  }
  item.kind = KindOf(st);
  item.is_folder = S_ISDIR(st.st_mode);
  if (!item.is_folder) item.size = ByteCount(static_cast<unsigned long long>(st.st_size));
  item.modified = LocalTimeText(st.st_mtime);
  item.permissions = Permissions(st.st_mode);
  item.owner = Owner(st.st_uid, st.st_gid);
  return item;
}

void ShowItemProperties(const std::string& path) {
  GDBusConnection* bus = SessionBus();
  if (!bus) {
    ShowOwnProperties(path);
    return;
  }
  GFile* file = g_file_new_for_path(path.c_str());
  char* uri = g_file_get_uri(file);
  GVariantBuilder uris;
  g_variant_builder_init(&uris, G_VARIANT_TYPE("as"));
  g_variant_builder_add(&uris, "s", uri);
  g_dbus_connection_call(bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                         "org.freedesktop.FileManager1", "ShowItemProperties",
                         g_variant_new("(ass)", &uris, ""), nullptr, G_DBUS_CALL_FLAGS_NONE,
                         kFileManagerTimeoutMs, nullptr, OnFileManagerReply,
                         new std::string(path));
  g_free(uri);
  g_object_unref(file);
}

}  // namespace platform::properties
