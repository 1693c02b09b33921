// Our own properties window, for when no system window shows them.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <thread>

#include "platform/dialog_parent.h"
#include "platform/file_operation_steps.h"
#include "platform/local_time.h"
#include "platform/properties.h"
#include "platform/text.h"

namespace platform::properties {
namespace {

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


}  // namespace

std::string LocalTimeText(std::time_t when) {
  const std::tm local = ToLocalTime(when);
  char text[32];
  std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &local);
  return text;
}

std::string ByteCount(unsigned long long bytes) { return text::GroupedDigits(bytes) + " byte"; }

void ShowOwnProperties(const std::string& path) {
  (new PropertiesWindow(path, Gather(path)))->Show();
}

}  // namespace platform::properties
