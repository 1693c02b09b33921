// The restore command: where to restore, then the archives of the profile in the restore window.
#include "main_window/main_window.h"
#include "main_window/restore_target.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "restore/archive_search.h"
#include "restore/restore_window.h"
#include "runner/archive_names.h"
#include "store/profile_file.h"

namespace main_window {
namespace {

using platform::text::Trim;

constexpr const char* kQuestionTitle = "Ripristino archivi";

// Asks where the archives go: a folder typed by the user, or "" for over the current files.
// nullopt when the user declines both or leaves the folder empty.
std::optional<std::string> AskTarget() {
  const std::string elsewhere = platform::InputBox(
      "Si desidera il ripristino dei VECCHI archivi in un'altra\r\r"
      "cartella (senza toccare gli archivi ATTUALI) (S/N)",
      kQuestionTitle, "S");
  if (Trim(elsewhere) == "S") {
    std::string target = platform::InputBox("Indicare la cartella di arrivo", kQuestionTitle, kDefaultRestoreTarget);
    if (Trim(target).empty()) return std::nullopt;
    return target;
  }
  const std::string over = platform::InputBox(
      "Confermi il ripristino dei VECCHI archivi sopra\r\r"
      "gli archivi ATTUALI  (ATTENZIONE!!!)  (S/N)",
      kQuestionTitle, "N");
  if (Trim(over) != "S") return std::nullopt;
  return std::string();
}

}  // namespace

void MainWindow::OnRestore() {
  if (RefuseWhileBackupRuns() || !TakeProfileName()) return;
  state_.Cartella_Arrivo.clear();
  platform::Beep();
  const auto target = AskTarget();
  if (!target) return;
  // Without a shell nothing expands "~" or a relative path: they would land wherever the program
  // happens to run.
  if (!target->empty() && !IsCompleteFolder(*target)) {
    platform::BeepAndMessage(kIncompleteTargetMessage);
    return;
  }
  state_.Cartella_Arrivo = *target;

  std::vector<std::string> items;
  {
    platform::BusyCursor busy;
    store::LEGGI_COPIA(state_);
    items = restore::CERCA_ARCHIVI(state_, runner::SearchPattern(runner::ProfileCode(state_.Nome_Copia)));
  }
  if (items.empty() || state_.Num_Righe <= 0) {
    platform::BeepAndMessage("Non ci sono copie .ZIP da ripristinare !!!");
    SetRestoreCaption(kRestoreCaption);
    SetProfileCommandsEnabled(true);
    return;
  }
  SetRestoreCaption(kWaitCaption);
  SetProfileCommandsEnabled(false);
  restore::OpenRestoreWindow(this, state_, *this, archiver, items);
}

}  // namespace main_window
