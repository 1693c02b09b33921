// How much processor the program uses while it waits for the archiver, and how quickly its
// windows answer meanwhile: a real backup through the main window's handler, of a folder
// large enough to keep the archiver busy for some seconds. Prints the figures; not a test.
#include <sys/resource.h>

#include <wx/app.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "main_window/main_window.h"
#include "platform/dialogs.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double CpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Answers nothing and shows the end message on standard output.
class PrintingDialogs final : public platform::DialogBackend {
 public:
  void Beep() override {}
  void ShowMessage(const std::string& text, const std::string&, platform::MessageIcon) override {
    std::printf("messaggio: %s\n", text.c_str());
  }
  std::string InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
  void SetBusy(bool) override {}
};

// Text-like files that compress about as well as documents do, in a few subfolders.
void MakeCorpus(const std::string& folder, int megabytes) {
  std::mt19937 random(1);
  const char* words[] = {"copia ", "archivio ", "cartella ", "documento ", "fattura ", "2024 ", "\n"};
  for (int file = 0; file < megabytes; ++file) {
    fs::create_directories(folder + "/sotto" + std::to_string(file % 8));
    std::ofstream out(folder + "/sotto" + std::to_string(file % 8) + "/file" + std::to_string(file) + ".txt");
    std::string text;
    while (text.size() < 1024 * 1024) text += words[random() % 7] + std::to_string(random() % 1000);
    out << text;
  }
}

class BenchmarkApp : public wxApp {
 public:
  bool OnInit() override {
    corpus_ = (fs::temp_directory_path() / "faldone-cpu-benchmark").string();
    fs::remove_all(corpus_);
    MakeCorpus(corpus_ + "/dati", 400);
    std::ofstream(corpus_ + "/Copia_01.Dat") << "Copia_01.Dat#Prova\r\n 1#Dati#" << corpus_ << "/dati/\r\n";

    window_ = new main_window::MainWindow(state_, {});
    state_.Path_Dati = corpus_ + "/";
    window_->archiver = argc > 1 ? argv[1].utf8_string() : std::string(FALDONE_PROGRAM_DIR "/archivia");
    window_->Show();
    window_->txtNome_Copia->ChangeValue("Copia_01.Dat");

    started_ = Clock::now();
    own_cpu_ = CpuSeconds(RUSAGE_SELF);
    window_->OnBackup();
    // A 50 ms timer stands for the user's clicks: how late its ticks come shows how quickly
    // the windows answer while the archiver runs.
    last_tick_ = Clock::now();
    ticker_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
    ticker_.Start(50);
    return true;
  }

 private:
  void Tick() {
    const auto now = Clock::now();
    worst_gap_ = std::max(worst_gap_, now - last_tick_);
    last_tick_ = now;
    if (window_->BackupInProgress()) return;
    ticker_.Stop();
    const double wall = std::chrono::duration<double>(now - started_).count();
    const double own = CpuSeconds(RUSAGE_SELF) - own_cpu_;
    std::printf("durata della copia:           %.2f s\n", wall);
    std::printf("processore del programma:     %.3f s = %.2f %% di un core\n", own, 100 * own / wall);
    std::printf("processore dell'archiviatore: %.2f s\n", CpuSeconds(RUSAGE_CHILDREN));
    std::printf("massimo intervallo tra due tick da 50 ms: %.0f ms\n",
                std::chrono::duration<double, std::milli>(worst_gap_).count());
    fs::remove_all(corpus_);
    window_->Destroy();
  }

  PrintingDialogs dialogs_;
  platform::ScopedDialogBackend installed_{dialogs_};
  store::ProfileState state_;
  main_window::MainWindow* window_ = nullptr;
  std::string corpus_;
  Clock::time_point started_, last_tick_;
  Clock::duration worst_gap_{};
  double own_cpu_ = 0;
  wxTimer ticker_;
};

}  // namespace

wxIMPLEMENT_APP(BenchmarkApp);
