#include "main_window/main_window.h"

#include <wx/statbox.h>

#include <ctime>

#include "main_window/new_profile_name.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/fit_text.h"
#include "platform/geometry.h"
#include "platform/launcher.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/user_error.h"
#include "store/profile_file.h"
#include "store/profile_list.h"
#include "platform/wx_text.h"

namespace main_window {
namespace {

using platform::text::Trim;

constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 30;
constexpr const char* kBannerTitle = "FALDONE  -  Copie personalizzate";

using platform::Wx;
using platform::Utf8;

}  // namespace

MainWindow::MainWindow(store::ProfileState& state, MainWindowHooks hooks)
    : wxFrame(nullptr, wxID_ANY, Wx(kMainCaption)), state_(state), hooks_(std::move(hooks)) {
  state_.Path_Dati = platform::paths::ProgramFolder();
  BuildControls();
  BindEvents();
  SetClientSize(platform::TwipsSize(11880, 7200));
  Centre(wxBOTH);
  SetProfileCommandsEnabled(false);
}

void MainWindow::BuildControls() {
  auto* panel = new wxPanel(this);
  panel->SetFont(platform::MsSansSerif(8.25));  // labels and text boxes use the window's face
  // Positions inside Frame1 are given relative to it.
  auto in_frame = [](int left, int top, int width, int height) {
    return platform::TwipsRect(kFrameLeft + left, kFrameTop + top, width, height);
  };
  auto place = [](wxWindow* w, const wxRect& r) { w->SetSize(r); };

  place(new wxStaticBox(panel, wxID_ANY, ""), platform::TwipsRect(kFrameLeft, kFrameTop, 11715, 6555));

  const wxColour shadow_colours[2] = {wxColour(128, 128, 128), wxColour(0, 0, 160)};
  // A long folder path gives way in the middle, so that a line's figures stay in sight at its end.
  for (int i = 0; i < 2; ++i) {
    Label6[i] = new wxStaticText(panel, wxID_ANY, kBannerTitle, wxDefaultPosition, wxDefaultSize,
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
    Label6[i]->SetFont(platform::Arial(9.75, true));
    Label6[i]->SetForegroundColour(shadow_colours[i]);
    place(Label6[i], in_frame(240 + 15 * (1 - i), 180 + 15 * (1 - i), 11200, 300));
  }

  List1 = new wxListBox(panel, wxID_ANY);
  List1->SetFont(platform::CourierNew(8.25));
  place(List1, in_frame(75, 600, 11595, 4680));

  // Laid out for a narrower face than this platform's; room is where a caption may spread.
  auto label = [&](const char* caption, const wxRect& r, const wxRect& room = wxRect()) {
    auto* l = new wxStaticText(panel, wxID_ANY, Wx(caption), wxDefaultPosition, wxDefaultSize,
                               wxST_NO_AUTORESIZE);
    place(l, r);
    platform::FitCaption(*l, false, room.IsEmpty() ? r : room);
  };
  label("Nome copia personalizzata", in_frame(225, 5385, 1995, 255), in_frame(75, 5385, 2295, 255));
  label("Descrizione", in_frame(2430, 5400, 1995, 255));
  txtNome_Copia = new wxTextCtrl(panel, wxID_ANY);
  place(txtNome_Copia, in_frame(180, 5625, 2040, 285));
  txtDescriz_Copia = new wxTextCtrl(panel, wxID_ANY);
  place(txtDescriz_Copia, in_frame(2400, 5625, 9240, 285));

  auto button = [&](const char* caption, const wxRect& r) {
    auto* b = new wxButton(panel, wxID_ANY, Wx(caption));
    place(b, r);
    return b;
  };
  Command3 = button("Nuova copia personalizzata", in_frame(165, 6060, 2595, 375));
  Command7 = button("Cancella", in_frame(6270, 6105, 1290, 375));
  Command2 = button("Conferma", in_frame(8145, 6105, 1290, 375));
  Command6 = button("Modifica", in_frame(9945, 6105, 1290, 375));
  Command1 = button(kBackupCaption, platform::TwipsRect(60, 6735, 3315, 390));
  Command5 = button(kRestoreCaption, platform::TwipsRect(3600, 6735, 2850, 390));
  Command8 = button("Help / Aiuto", platform::TwipsRect(8250, 6735, 1290, 405));
  Command4 = button("F i n e", platform::TwipsRect(10065, 6735, 1290, 390));
}

void MainWindow::BindEvents() {
  List1->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnListClick(); });
  List1->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { OnListDoubleClick(); });
  Command1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBackup(); });
  Command5->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRestore(); });
  Command2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnConfirm(); });
  Command3->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNewProfile(); });
  Command6->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnModify(); });
  Command7->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); });
  Command8->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnHelp(); });
  Command4->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnEnd(); });
}

void MainWindow::RebuildList() {
  const std::vector<std::string> items = store::LEGGI_FILES_COPIA_DAT(state_);
  List1->Clear();
  for (const std::string& item : items) List1->Append(Wx(item));
  if (items.empty()) platform::BeepAndMessage("Nessuna copia trovata !!!");
}

void MainWindow::OnListClick() {
  const int selected = List1->GetSelection();
  if (selected == wxNOT_FOUND) return;
  if (auto parts = store::SplitListItem(Utf8(List1->GetString(selected)))) {
    state_.Nome_Copia = parts->name;
    state_.Descriz_Copia = parts->description;
  }
  txtNome_Copia->ChangeValue(Wx(state_.Nome_Copia));
  txtDescriz_Copia->ChangeValue(Wx(state_.Descriz_Copia));
  SetProfileCommandsEnabled(true);
}

void MainWindow::OnListDoubleClick() {
  OnListClick();
  OnConfirm();
}

bool MainWindow::TakeNameAndDescription() {
  const std::string name = Trim(Utf8(txtNome_Copia->GetValue()));
  state_.Nome_Copia = name;
  if (name.empty()) {
    platform::BeepAndMessage("Indicare una copia personalizzata !!!");
    return false;
  }
  if (auto problem = store::ProfileNameProblem(name)) {
    platform::BeepAndMessage(*problem);
    return false;
  }
  const std::string description = Trim(Utf8(txtDescriz_Copia->GetValue()));
  state_.Descriz_Copia = description;
  if (description.empty()) {
    platform::BeepAndMessage("Indicare una descrizione per la copia personalizzata !!!");
    return false;
  }
  if (auto problem = store::FieldProblem(store::Field::ProfileDescription, description)) {
    platform::BeepAndMessage(*problem);
    return false;
  }
  return true;
}

void MainWindow::OnConfirm() {
  if (!TakeNameAndDescription()) return;
  if (auto problem = NewProfileNameProblem(state_.Path_Dati, state_.Nome_Copia)) {
    platform::BeepAndMessage(*problem);
    return;
  }
  const std::string name = state_.Nome_Copia;
  const std::string description = state_.Descriz_Copia;
  store::LEGGI_COPIA(state_);  // keeps the folder lines the file already has
  state_.Nome_Copia = name;
  state_.Descriz_Copia = description;
  try {
    store::SALVA_COPIA(state_);
  } catch (const platform::UserError& e) {
    // The profile was not written: opening the editor would only lose more work.
    platform::BeepAndMessage(e.what());
    return;
  }
  if (hooks_.openEditor) hooks_.openEditor(*this);
}

void MainWindow::OnNewProfile() {
  const std::tm local = platform::ToLocalTime(std::time(nullptr));
  const auto profile = store::NewProfile(state_.Max_Num_Copia, local);
  if (!profile) {
    platform::BeepAndMessage(
        "Non è possibile creare una nuova copia personalizzata: il numero 99 è già in uso "
        "e i numeri delle copie vanno da 01 a 99 !!!");
    return;
  }
  txtNome_Copia->ChangeValue(Wx(profile->name));
  txtDescriz_Copia->ChangeValue(Wx(profile->description));
  Command2->Enable();
  Command6->Disable();
  Command1->Disable();
  Command5->Disable();
  Command7->Disable();
}

void MainWindow::OnModify() {
  state_.Nome_Copia = Trim(Utf8(txtNome_Copia->GetValue()));
  if (state_.Nome_Copia.empty()) {
    platform::BeepAndMessage("Selezionare una copia personalizzata o inserirne una nuova !!!");
    return;
  }
  if (auto problem = store::ProfileNameProblem(state_.Nome_Copia)) {
    platform::BeepAndMessage(*problem);
    return;
  }
  if (hooks_.openEditor) hooks_.openEditor(*this);
}

void MainWindow::OnDelete() {
  if (!TakeNameAndDescription()) return;
  const std::string answer = platform::InputBox(
      "Confermi la cancellazione di   " + state_.Nome_Copia + "   (S/N)", "Cancellazione record", "N");
  if (Trim(answer) != "S") return;
  const std::string path = state_.Path_Dati + state_.Nome_Copia;
  try {
    platform::files::RemoveFile(path);
  } catch (const platform::UserError& e) {
    platform::ShowMessage("Errore in cancellazione file: " + path + "\r\n\r\n" + e.what());
    return;
  }
  RebuildList();
  txtNome_Copia->ChangeValue("");
  txtDescriz_Copia->ChangeValue("");
  SetProfileCommandsEnabled(false);
}

void MainWindow::OnHelp() {
  if (!platform::OpenHelpPage())
    platform::BeepAndMessage("Impossibile aprire la guida: " + platform::paths::ProgramFolder() +
                             "HELP/FALDONE.htm");
}

void MainWindow::OnEnd() {
  if (hooks_.endProgram) hooks_.endProgram();
}

void MainWindow::DisableForChild() { Enable(false); }

void MainWindow::GiveBack() {
  Enable(true);
  Raise();
  RebuildList();
}

void MainWindow::SetProfileCommandsEnabled(bool enabled) {
  for (wxButton* b : {Command1, Command2, Command5, Command6, Command7}) b->Enable(enabled);
}

void MainWindow::SetRestoreCaption(const std::string& caption) { Command5->SetLabel(Wx(caption)); }

void MainWindow::SetDescriptionText(const std::string& description) {
  txtDescriz_Copia->ChangeValue(Wx(description));
}

void MainWindow::SetBanner(const std::string& text) {
  for (wxStaticText* label : Label6) label->SetLabel(Wx(text.empty() ? kBannerTitle : text));
}

}  // namespace main_window
