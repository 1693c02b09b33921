#include "restore/restore_window.h"

#include <wx/display.h>
#include <wx/panel.h>
#include <wx/statbox.h>

#include "main_window/main_window.h"
#include "platform/fit_text.h"
#include "platform/geometry.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/text_box.h"
#include "restore/restore_items.h"
#include "restore/restore_jobs.h"
#include "runner/run_messages.h"
#include "store/numeric.h"
#include "platform/wx_text.h"

namespace restore {
namespace {

using platform::text::Trim;

constexpr int kFrameLeft = 90;
constexpr int kFrameTop = 75;
constexpr const char* kBannerTitle = "Ripristino copie";

using platform::Wx;
using platform::Utf8;

}  // namespace

RestoreWindow::RestoreWindow(wxWindow* parent, store::ProfileState& state,
                             main_window::MainWindowLink& link, std::string archiver,
                             const std::vector<std::string>& items)
    : wxFrame(parent, wxID_ANY, Wx(kRestoreWindowCaption), wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT, kRestoreWindowName),
      state_(state),
      link_(link),
      archiver_(std::move(archiver)) {
  link_.DisableForChild();
  BuildControls();
  BindEvents();
  SetClientSize(platform::TwipsSize(9330, 5370));
  PlaceOnScreen();
  txtNome_Copia->ChangeValue(Wx(state_.Nome_Copia));
  txtDescriz_Copia->ChangeValue(Wx(state_.Descriz_Copia));
  for (const std::string& item : items) List1->Append(Wx(item));
}

void RestoreWindow::BuildControls() {
  auto* panel = new wxPanel(this);
  panel->SetFont(platform::MsSansSerif(8.25));
  auto in_frame = [](int left, int top, int width, int height) {
    return platform::TwipsRect(kFrameLeft + left, kFrameTop + top, width, height);
  };
  auto place = [](wxWindow* w, const wxRect& r) { w->SetSize(r); };
  // room: where the caption may spread when its face is wider than the one it was laid out for.
  auto label = [&](const char* caption, const wxRect& r, const wxRect& room = wxRect()) {
    auto* l = new wxStaticText(panel, wxID_ANY, Wx(caption), wxDefaultPosition, wxDefaultSize,
                               wxST_NO_AUTORESIZE);
    place(l, r);
    platform::FitCaption(*l, false, room.IsEmpty() ? r : room);
  };
  auto text = [&](const wxColour& background, bool read_only, const wxRect& r) {
    auto* t = new platform::TextBox(panel, read_only ? wxTE_READONLY : 0);
    t->SetBackgroundColour(background);
    place(t, r);
    return t;
  };
  auto button = [&](const char* caption, const wxRect& r) {
    auto* b = new wxButton(panel, wxID_ANY, Wx(caption));
    b->SetFont(platform::MsSansSerif(8.25, true));
    place(b, r);
    platform::FitCaption(*b, true);
    return b;
  };

  place(new wxStaticBox(panel, wxID_ANY, ""), platform::TwipsRect(kFrameLeft, kFrameTop, 9105, 5205));

  const wxColour shadow_colours[2] = {wxColour(128, 128, 128), wxColour(0, 0, 160)};
  for (int i = 0; i < 2; ++i) {
    Label6[i] = new wxStaticText(panel, wxID_ANY, kBannerTitle, wxDefaultPosition, wxDefaultSize,
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    Label6[i]->SetFont(platform::Arial(9.75, true));
    Label6[i]->SetForegroundColour(shadow_colours[i]);
    place(Label6[i], in_frame(6238 + 17 * i, 215 + 5 * i, 2295, 255));
  }

  // Created in tab order.
  label("Nome copia personalizzata", in_frame(240, 285, 1995, 255), in_frame(60, 285, 2295, 255));
  txtNome_Copia = text(wxColour(0, 255, 255), true, in_frame(180, 510, 2070, 285));
  List1 = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
  List1->SetFont(platform::CourierNew(8.25));
  List1->SetBackgroundColour(wxColour(192, 255, 192));
  place(List1, in_frame(150, 885, 8820, 3000));
  label("Numero copia", in_frame(165, 3960, 1080, 270), in_frame(60, 3960, 1260, 270));
  label("Descrizione  copia personalizzata", in_frame(1350, 3960, 2775, 270));
  label("Cartella da salvare  (eventuale maschera di ricerca  *.DAT )",
        in_frame(4620, 3960, 4320, 270), in_frame(4155, 3960, 4890, 270));
  txtNum_Copia = text(wxColour(128, 255, 255), true, in_frame(150, 4215, 1020, 285));
  txtDes_Copia = text(wxColour(255, 255, 128), false, in_frame(1335, 4215, 3105, 285));
  txtPath_Copia = text(wxColour(255, 255, 128), false, in_frame(4575, 4215, 4380, 285));
  txtDescriz_Copia = text(wxColour(0, 255, 255), true, in_frame(2385, 510, 6555, 285));
  label("Descrizione", in_frame(2415, 285, 1995, 255));
  Command4 = button("Fine / Annulla", in_frame(7470, 4665, 1515, 390));
  Command5 = button(main_window::kRestoreCaption, in_frame(2805, 4665, 3495, 390));
  Command8 = button("Help / Aiuto", in_frame(135, 4665, 1245, 390));
}

void RestoreWindow::BindEvents() {
  List1->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnListClick(); });
  Command5->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRestore(); });
  Command4->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnEnd(); });
  Command8->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnHelp(); });
  Bind(wxEVT_CLOSE_WINDOW, &RestoreWindow::OnClose, this);
}

// Centred on the screen and moved 500 twips right and down, so the main window shows behind.
void RestoreWindow::PlaceOnScreen() {
  const wxRect screen = wxDisplay(this).GetClientArea();
  const wxSize size = GetSize();
  SetPosition(wxPoint(screen.x + screen.width / 2 - size.x / 2 + platform::Px(500),
                      screen.y + screen.height / 2 - size.y / 2 + platform::Px(500)));
}

void RestoreWindow::OnListClick() {
  const int selected = List1->GetSelection();
  if (selected == wxNOT_FOUND) return;
  const RestoreEntry entry = ReadRestoreItem(Utf8(List1->GetString(selected)));
  txtNum_Copia->ChangeValue(std::to_string(entry.number));
  txtDes_Copia->ChangeValue(Wx(entry.description));
  state_.Path_Copia = entry.path;
  txtPath_Copia->ChangeValue(Wx(entry.path));
  state_.Archivio_Scelto = entry.archive;
}

void RestoreWindow::OnRestore() {
  if (RunInProgress()) return;
  const std::int16_t n = store::NumericValue16(Utf8(txtNum_Copia->GetValue()));
  if (n == 0) {
    platform::BeepAndMessage("Selezionare una copia esistente o inserirne una nuova !!!");
    return;
  }
  // The edited fields go to the tables in memory only; running numbers above 100 have no place.
  if (n >= 1 && n <= store::kMaxFolderLines) {
    state_.Des_Riga[n] = Trim(Utf8(txtDes_Copia->GetValue()));
    state_.Path_Riga[n] = Trim(Utf8(txtPath_Copia->GetValue()));
  }
  if (List1->IsEmpty() || state_.Num_Righe <= 0) {
    Close();
    return;
  }
  link_.SetRestoreCaption(main_window::kWaitCaption);
  link_.SetProfileCommandsEnabled(false);
  // A second run or a close while the archiver works would lose track of it.
  Command5->Disable();
  Command4->Disable();
  busy_.emplace();
  runner::RunReport& report = *this;
  run_ = std::make_unique<runner::TimedRun>(RestoreJobs(state_, archiver_), report);
}

void RestoreWindow::LineStarting(int position, int count, const runner::Job& job) {
  SetBanner(runner::ProgressText(runner::RunKind::Restore, position, count, job));
}

// This window's banner has room for little more than the line: the main window's, wide and in
// sight behind, shows the figures whole.
void RestoreWindow::LineProgress(int position, int count, const runner::Job& job, const std::string& figures) {
  const std::string text = runner::ProgressText(runner::RunKind::Restore, position, count, job, figures);
  SetBanner(text);
  link_.SetBanner(text);
}

void RestoreWindow::RunEnded(const std::vector<runner::LineResult>& results) {
  busy_.reset();
  SetBanner(kBannerTitle);
  link_.SetBanner("");
  runner::ShowEndMessage(runner::RunKind::Restore, results);
  Close();
}

void RestoreWindow::OnEnd() {
  if (RunInProgress()) return;
  Close();
}

void RestoreWindow::OnHelp() {
  if (!platform::OpenHelpPage())
    platform::BeepAndMessage("Impossibile aprire la guida: " + platform::paths::ProgramFolder() +
                             "HELP/FALDONE.htm");
}

void RestoreWindow::OnClose(wxCloseEvent& event) {
  if (RunInProgress() && event.CanVeto()) {
    event.Veto();
    platform::BeepAndMessage("Attendere la fine del ripristino in corso !!!");
    return;
  }
  link_.GiveBack();
  link_.SetRestoreCaption(main_window::kRestoreCaption);
  link_.SetProfileCommandsEnabled(true);
  Destroy();
}

void RestoreWindow::SetBanner(const std::string& text) {
  for (wxStaticText* label : Label6) label->SetLabel(Wx(text));
}

RestoreWindow* OpenRestoreWindow(wxWindow* parent, store::ProfileState& state,
                                 main_window::MainWindowLink& link, const std::string& archiver,
                                 const std::vector<std::string>& items) {
  auto* window = new RestoreWindow(parent, state, link, archiver, items);
  window->Show();
  return window;
}

}  // namespace restore
