#include "platform/properties.h"
#include "platform/dialog_parent.h"

#include <gio/gio.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <atomic>
#include <cstdint>
#include <ctime>
#include <memory>
#include <stop_token>
#include <thread>

#include "platform/file_operation_steps.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/user_error.h"
#include "platform/errno_text.h"

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

std::string LocalTime(std::time_t when) {
  const std::tm local = ToLocalTime(when);
  char text[32];
  std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &local);
  return text;
}

// Counts a folder's total on a thread of its own, so that the windows keep answering while
// a large tree is read; the window reads the count as it grows.
class FolderCount {
 public:
  explicit FolderCount(const std::string& path)
      : worker_([this, path](std::stop_token stop) {
          file_operations::steps::Measure(path, [&](const file_operations::steps::Totals& so_far) {
            bytes_.store(so_far.bytes, std::memory_order_relaxed);
            entries_.store(so_far.entries, std::memory_order_relaxed);
            return !stop.stop_requested();
          });
          finished_.store(true, std::memory_order_release);
        }) {}

  void Stop() { worker_.request_stop(); }
  bool finished() const { return finished_.load(std::memory_order_acquire); }
  bool stopped() const { return worker_.get_stop_token().stop_requested(); }

  // "1.234 byte in 5 elementi": what the folder holds, itself left out.
  std::string Text() const {
    const std::uint64_t entries = entries_.load(std::memory_order_relaxed);
    return ByteCount(bytes_.load(std::memory_order_relaxed)) + " in " +
           std::to_string(entries > 0 ? entries - 1 : 0) + " elementi";
  }

 private:
  std::atomic<std::uint64_t> bytes_{0};
  std::atomic<std::uint64_t> entries_{0};
  std::atomic<bool> finished_{false};
  std::jthread worker_;  // declared last: stopped and joined before the counts it writes go
};

constexpr int kCountRefreshMs = 100;

// Our own window, shown without blocking: the file manager's answer arrives from the bus.
class PropertiesWindow final : public wxDialog {
 public:
  PropertiesWindow(const std::string& path, const ItemProperties& item)
      : wxDialog(DialogParent(), wxID_ANY, wxString::FromUTF8("Proprietà di " + item.name)) {
    auto* grid = new wxFlexGridSizer(2, wxSize(12, 6));
    const std::pair<const char*, const std::string&> rows[] = {
        {"Nome", item.name},         {"Tipo", item.kind},           {"Percorso", item.location},
        {"Dimensione", item.size},   {"Ultima modifica", item.modified},
        {"Permessi", item.permissions}, {"Proprietario", item.owner}};
    for (const auto& [label, value] : rows) {
      grid->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(label)));
      auto* text = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(value));
      grid->Add(text);
      if (&value == &item.size) size_ = text;
    }
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    if (item.is_folder) {
      // Room for the count as it grows, so that the window need not be laid out again.
      size_->SetMinSize(size_->GetTextExtent("999.999.999.999 byte in 99.999.999 elementi "
                                             "(calcolo interrotto)"));
      stop_ = new wxButton(this, wxID_ANY, "Annulla");
      stop_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        count_->Stop();
        stop_->Disable();
      });
      buttons->Add(stop_, 0, wxRIGHT, 8);
      count_ = std::make_unique<FolderCount>(path);
      timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowCount(); });
      timer_.Start(kCountRefreshMs);
      ShowCount();
    }
    auto* close = new wxButton(this, wxID_OK, "Chiudi");
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Destroy(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
    buttons->Add(close);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxALL, 12);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizerAndFit(column);
    CentreOnParent();
  }

 private:
  void ShowCount() {
    const bool finished = count_->finished();
    std::string text = count_->Text();
    if (!finished) text += " (calcolo in corso...)";
    else if (count_->stopped()) text = "almeno " + text + " (calcolo interrotto)";
    size_->SetLabelText(wxString::FromUTF8(text));
    if (!finished) return;
    timer_.Stop();
    stop_->Disable();
  }

  wxStaticText* size_ = nullptr;
  wxButton* stop_ = nullptr;
  wxTimer timer_;
  std::unique_ptr<FolderCount> count_;
};

void ShowOwnWindow(const std::string& path) { (new PropertiesWindow(path, Gather(path)))->Show(); }

void OnFileManagerReply(GObject* bus, GAsyncResult* result, gpointer data) {
  std::unique_ptr<std::string> path(static_cast<std::string*>(data));
  GError* error = nullptr;
  if (GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, &error)) {
    g_variant_unref(reply);
    return;
  }
  g_error_free(error);
  ShowOwnWindow(*path);
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

std::string ByteCount(unsigned long long bytes) {
  std::string digits = std::to_string(bytes);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ".");
  return digits + " byte";
}

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
  item.modified = LocalTime(st.st_mtime);
  item.permissions = Permissions(st.st_mode);
  item.owner = Owner(st.st_uid, st.st_gid);
  return item;
}

void ShowItemProperties(const std::string& path) {
  GDBusConnection* bus = SessionBus();
  if (!bus) {
    ShowOwnWindow(path);
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
