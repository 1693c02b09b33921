#include "editor/profile_editor.h"

#include <wx/panel.h>
#include <wx/statbox.h>

#include "editor/line_checks.h"
#include "editor/line_table.h"
#include "editor/list_columns.h"
#include "picker/system_tree_view.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/fit_text.h"
#include "platform/geometry.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/placement.h"
#include "platform/text.h"
#include "platform/text_box.h"
#include "platform/user_error.h"
#include "store/numeric.h"
#include "store/profile_file.h"
#include "platform/wx_text.h"

namespace editor {
namespace {

using platform::text::Trim;

Form2* open_editor = nullptr;

constexpr int kFrameLeft = 90;
constexpr int kFrameTop = 75;
constexpr const char* kBannerTitle = "FALDONE  -  Righe della copia";

using platform::Wx;
using platform::Utf8;

// Positions inside Frame1 are given relative to it.
wxRect InFrame(int left, int top, int width, int height) {
  return platform::TwipsRect(kFrameLeft + left, kFrameTop + top, width, height);
}

}  // namespace

Form2::Form2(store::ProfileState& state, main_window::MainWindowLink& link)
    : wxFrame(nullptr, wxID_ANY, kEditorCaption, wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)),
      state_(state),
      link_(link) {
  open_editor = this;
  BuildControls();
  BindEvents();
  SetClientSize(platform::TwipsSize(9330, 5370));
  platform::MoveNearCentre(*this, 500 - 410, 500 + 362);
}

Form2::~Form2() {
  if (open_editor == this) open_editor = nullptr;
}

Form2* Form2::Open() { return open_editor; }

void Form2::BuildControls() {
  auto* panel = new wxPanel(this);
  panel->SetFont(platform::MsSansSerif(8.25));
  auto place = [](wxWindow* w, const wxRect& r) { w->SetSize(r); };
  // room: where the caption may spread when its face is wider than the one it was laid out for.
  auto label = [&](const char* caption, const wxRect& r, const wxRect& room = wxRect()) {
    auto* text = new wxStaticText(panel, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
                                  wxST_NO_AUTORESIZE);
    place(text, r);
    platform::FitCaption(*text, false, room.IsEmpty() ? r : room);
  };
  auto text_box = [&](long style, const wxColour& background, const wxRect& r) {
    auto* box = new platform::TextBox(panel, style);
    box->SetBackgroundColour(background);
    place(box, r);
    return box;
  };
  const wxColour cyan(0, 255, 255), pale_cyan(128, 255, 255), pale_yellow(255, 255, 128);

  place(new wxStaticBox(panel, wxID_ANY, ""),
        platform::TwipsRect(kFrameLeft, kFrameTop, 9105, 5205));
  const wxColour banner_colours[2] = {wxColour(128, 128, 128), wxColour(0, 0, 160)};
  for (int i = 0; i < 2; ++i) {
    Label6[i] = new wxStaticText(panel, wxID_ANY, kBannerTitle, wxDefaultPosition, wxDefaultSize,
                                 wxST_NO_AUTORESIZE | wxALIGN_RIGHT);
    Label6[i]->SetFont(platform::Arial(9.75, true));
    Label6[i]->SetForegroundColour(banner_colours[i]);
    place(Label6[i], InFrame(4620 + 15 * (1 - i), 15 + 15 * (1 - i), 4320, 255));
  }

  // Created in tab order.
  label("Nome copia personalizzata", InFrame(240, 285, 1995, 255), InFrame(60, 285, 2295, 255));
  txtNome_Copia = text_box(wxTE_READONLY, cyan, InFrame(180, 510, 2070, 285));
  List1 = new wxListBox(panel, wxID_ANY);
  List1->SetFont(platform::CourierNew(8.25));
  List1->SetBackgroundColour(wxColour(192, 255, 192));
  place(List1, InFrame(150, 885, 8820, 3000));
  label("Numero copia", InFrame(165, 3960, 1080, 270), InFrame(60, 3960, 1260, 270));
  txtNum_Copia = text_box(wxTE_READONLY, pale_cyan, InFrame(150, 4215, 1020, 285));
  label("Descrizione  copia personalizzata", InFrame(1350, 3960, 2775, 270));
  txtDes_Copia = text_box(0, pale_yellow, InFrame(1335, 4215, 3105, 285));
  label("Cartella da salvare  (eventuale maschera di ricerca  *.DAT )",
        InFrame(4620, 3960, 4320, 270), InFrame(4155, 3960, 4890, 270));
  txtPath_Copia = text_box(0, pale_yellow, InFrame(4575, 4215, 4380, 285));
  // The other folder choosers live in the field's context menu, which nothing else shows.
  txtPath_Copia->SetToolTip(Wx("Tasto destro: altri modi di scegliere la cartella"));
  label("Descrizione", InFrame(2415, 285, 1995, 255));
  txtDescriz_Copia = text_box(0, cyan, InFrame(2385, 510, 6555, 285));

  auto button = [&](const char* caption, const wxRect& r) {
    auto* b =
        new wxButton(panel, wxID_ANY, Wx(caption), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    b->SetFont(platform::MsSansSerif(8.25, true));
    place(b, r);
    platform::FitCaption(*b, true);
    return b;
  };
  Command1 = button("Nuova copia", InFrame(150, 4575, 1245, 570));
  Command4 = button("Annulla Fine", InFrame(8010, 4575, 975, 570));
  Command2 = button("Conferma", InFrame(6720, 4575, 1245, 570));
  Command3 = button("Sfoglia / Ricerca   Cartella/Directory...", InFrame(4605, 4575, 1995, 570));
  Command8 = button("Help / Aiuto", InFrame(1455, 4575, 1245, 570));
  Command7 = button("Cancella", InFrame(3000, 4575, 1245, 570));
}

void Form2::BindEvents() {
  List1->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnListClick(); });
  Command1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNewLine(); });
  Command2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnConfirm(); });
  Command3->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
  Command4->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnEnd(); });
  Command7->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); });
  Command8->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnHelp(); });
  // Right click, the Menu key and Shift+F10 all open the folder field's menu.
  txtPath_Copia->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent& event) {
    const wxPoint at = event.GetPosition() == wxDefaultPosition
                           ? wxPoint(0, txtPath_Copia->GetSize().y)
                           : txtPath_Copia->ScreenToClient(event.GetPosition());
    const std::unique_ptr<wxMenu> menu = BuildFolderMenu();
    txtPath_Copia->PopupMenu(menu.get(), at);
  });
  Bind(wxEVT_CLOSE_WINDOW, &Form2::OnCloseWindow, this);
}

void Form2::Load() {
  link_.DisableForChild();
  txtNome_Copia->ChangeValue(Wx(state_.Nome_Copia));
  txtDescriz_Copia->ChangeValue(Wx(state_.Descriz_Copia));
  store::LEGGI_COPIA(state_);
  WarnOfUndescribedLines();
  RefillList();
  if (state_.Max_Num_Riga == 0) {
    for (wxButton* b : {Command2, Command3, Command4, Command7}) b->Disable();
    OnNewLine();
  }
}

void Form2::WarnOfUndescribedLines() {
  const std::vector<int> numbers = UndescribedFolderLines(state_);
  if (numbers.empty()) return;
  std::string lines;
  for (int n : numbers) lines += "\r\n" + std::to_string(n) + ": " + state_.Path_Riga[n];
  platform::BeepAndMessage(
      "Queste righe della copia personalizzata non hanno una descrizione: non vengono mostrate "
      "e saranno tolte dal file alla prossima conferma o cancellazione di una riga." +
      lines);
}

void Form2::RefillList() {
  List1->Clear();
  for (const std::string& item : ShownLines(state_)) List1->Append(Wx(item));
}

void Form2::OnListClick() {
  const int selected = List1->GetSelection();
  if (selected == wxNOT_FOUND) return;
  // Only the text boxes take the line: the table changes when the line is confirmed. The
  // list shows 40 characters of a description, so its text comes from the table, whole.
  ListedLine line = ReadListItem(Utf8(List1->GetString(selected)));
  if (line.number >= 1 && line.number <= state_.Max_Num_Riga) {
    line.description = Trim(state_.Des_Riga[line.number]);
    line.path = Trim(state_.Path_Riga[line.number]);
  }
  state_.Path_Copia = line.path;
  txtNum_Copia->ChangeValue(std::to_string(line.number));
  txtDes_Copia->ChangeValue(Wx(line.description));
  txtPath_Copia->ChangeValue(Wx(line.path));
}

void Form2::OnNewLine() {
  const int number = StartNewLine(state_);
  txtNum_Copia->ChangeValue(std::to_string(number));
  txtDes_Copia->ChangeValue("Copia " + std::to_string(number));
  txtPath_Copia->ChangeValue("");
  Command1->Disable();
  for (wxButton* b : {Command2, Command3, Command4}) b->Enable();
}

void Form2::OnConfirm() {
  const CheckedLine line =
      CheckLine({Utf8(txtNome_Copia->GetValue()), Utf8(txtDescriz_Copia->GetValue()),
                 Utf8(txtNum_Copia->GetValue()), Utf8(txtDes_Copia->GetValue()),
                 Utf8(txtPath_Copia->GetValue())},
                state_);
  if (line.description_passed) Command1->Enable();
  if (line.problem) {
    platform::BeepAndMessage(*line.problem);
    return;
  }
  if (!FolderAcceptable(line.path)) return;
  store::ProfileState next = state_;
  StoreLine(next, line.number, line.description, line.path);
  if (!Rewrite(std::move(next))) return;
  link_.SetDescriptionText(state_.Descriz_Copia);
  link_.SetProfileCommandsEnabled(true);
}

bool Form2::FolderAcceptable(const std::string& folder) {
  if (platform::files::IsFolder(folder)) return true;
  // A folder on a drive that is not mounted now may still be meant: ask rather than refuse.
  const std::string answer = platform::InputBox(
      "La cartella " + folder +
          " non esiste o non è raggiungibile.\r\n\r\nConfermi ugualmente la riga ?   (S/N)",
      "Conferma riga", "N");
  return Trim(answer) == "S";
}

bool Form2::Rewrite(store::ProfileState next) {
  DropUndescribedLines(next);
  try {
    store::SALVA_COPIA(next);
  } catch (const platform::UserError& e) {
    platform::BeepAndMessage(e.what());
    return false;
  }
  state_ = std::move(next);
  RefillList();
  return true;
}

void Form2::OnDelete() {
  const int number = store::NumericValue16(Utf8(txtNum_Copia->GetValue()));
  state_.Path_Copia = Utf8(txtPath_Copia->GetValue());
  if (number < 1 || number > store::kMaxFolderLines) {
    platform::BeepAndMessage("Selezionare la riga da cancellare !!!");
    return;
  }
  const std::string answer = platform::InputBox(
      "Confermi la cancellazione dell riga  " + std::to_string(number) + "   (S/N)",
      "Cancellazione record", "N");
  if (Trim(answer) != "S") return;
  state_.Nome_Copia = Trim(Utf8(txtNome_Copia->GetValue()));
  const std::string path = state_.Path_Dati + state_.Nome_Copia;
  if (!platform::files::IsRegularFile(path)) {
    platform::BeepAndMessage("File della copia personalizzata non trovato: " + path +
                             "\r\n\r\nNessuna riga è stata cancellata.");
    return;
  }
  store::ProfileState next = state_;
  DeleteLine(next, number);
  if (!Rewrite(std::move(next))) return;
  for (wxTextCtrl* box : {txtNum_Copia, txtDes_Copia, txtPath_Copia}) box->ChangeValue("");
}

void Form2::OnBrowse() { ChooseFolderWith(FolderPickers().front()); }

std::unique_ptr<wxMenu> Form2::BuildFolderMenu() {
  auto menu = std::make_unique<wxMenu>();
  for (const FolderPicker& picker : FolderPickers()) {
    const wxMenuItem* item = menu->Append(wxID_ANY, Wx(picker.label));
    // The picker opens once the menu has gone.
    menu->Bind(
        wxEVT_MENU,
        [this, &picker](wxCommandEvent&) {
          CallAfter([this, &picker] { ChooseFolderWith(picker); });
        },
        item->GetId());
  }
  return menu;
}

void Form2::ChooseFolderWith(const FolderPicker& picker) {
  if (picking_) {
    // One picker at a time: the one open comes to the front.
    if (auto* open = picker::System_TreeView_Rete::Open()) open->Raise();
    return;
  }
  picking_ = true;
  state_.Path_Scelto = Utf8(txtPath_Copia->GetValue());
  picker.choose(state_);
  picking_ = false;
  if (!Trim(state_.Path_Scelto).empty()) txtPath_Copia->ChangeValue(Wx(state_.Path_Scelto));
  if (close_after_picking_) Close();
}

void Form2::OnHelp() {
  if (!platform::OpenHelpPage())
    platform::BeepAndMessage("Impossibile aprire la guida: " + platform::paths::ProgramFolder() +
                             "HELP/FALDONE.htm");
}

void Form2::OnEnd() { Close(); }

void Form2::OnCloseWindow(wxCloseEvent& event) {
  if (picking_ && event.CanVeto()) {
    // The picker's call still waits inside this window's handler: the picker closes first,
    // and this window as soon as that call has returned.
    event.Veto();
    close_after_picking_ = true;
    if (auto* open = picker::System_TreeView_Rete::Open()) open->Close();
    return;
  }
  if (open_editor == this) open_editor = nullptr;
  link_.GiveBack();
  Destroy();
}

Form2& ShowProfileEditor(store::ProfileState& state, main_window::MainWindowLink& link) {
  if (Form2* open = Form2::Open()) {
    open->Raise();
    return *open;
  }
  auto* editor = new Form2(state, link);
  editor->Show();
  editor->Load();
  return *editor;
}

}  // namespace editor
