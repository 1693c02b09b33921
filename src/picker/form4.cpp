#include "picker/form4.h"

#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "picker/folder_choice.h"
#include "platform/dialogs.h"
#include "platform/geometry.h"
#include "platform/placement.h"
#include "platform/text.h"

namespace picker {
namespace {

constexpr int kFrameLeft = 105;
constexpr int kFrameTop = 120;

wxRect InFrame(int left, int top, int width, int height) {
  return platform::TwipsRect(kFrameLeft + left, kFrameTop + top, width, height);
}

}  // namespace

Form4::Form4(store::ProfileState& state)
    : wxDialog(nullptr, wxID_ANY, wxString::FromUTF8(kDriveAndFolderCaption)),
      state_(state),
      drives_(platform::drives::ListDrives()) {
  BuildControls();
  SetClientSize(platform::TwipsSize(9375, 5970));
  platform::MoveNearCentre(*this, 500 - 882, 500 + 32);

  // Opens at the folder chosen last; with none, or with a text that names no folder at all,
  // at the user's home folder.
  const std::string chosen = platform::text::Trim(state_.Path_Scelto);
  if (chosen.empty() || !ShowFolder(chosen)) ShowFolder(wxGetHomeDir().utf8_string());
}

void Form4::BuildControls() {
  SetFont(platform::MsSansSerif(8.25));
  auto place = [](wxWindow* w, const wxRect& r) { w->SetSize(r); };
  place(new wxStaticBox(this, wxID_ANY, "Frame1"),
        platform::TwipsRect(kFrameLeft, kFrameTop, 9135, 5715));
  place(new wxStaticText(this, wxID_ANY, "Disco:"), InFrame(165, 450, 570, 255));
  Drive1 = new wxChoice(this, wxID_ANY);
  for (const auto& drive : drives_) Drive1->Append(wxString::FromUTF8(drive.label));
  // Its place and width as laid out; its height what the toolkit needs to show a drive whole.
  const wxRect drive = InFrame(780, 405, 8220, 315);
  Drive1->SetSize(drive.x, drive.y, drive.width, wxDefaultCoord);
  place(new wxStaticText(this, wxID_ANY, "Cartella:"), InFrame(90, 975, 690, 270));
  Dir1 = new platform::FolderTree(this);
  // Starts where "Cartella:" ends rather than 75 twips over it, so the label stays readable.
  place(Dir1, InFrame(780, 945, 8205, 4140));
  Command1 = new wxButton(this, wxID_ANY, "Conferma");
  place(Command1, InFrame(5970, 5220, 1275, 345));
  Command2 = new wxButton(this, wxID_ANY, "Annulla");
  place(Command2, InFrame(7710, 5205, 1275, 345));

  Drive1->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnDriveChange(); });
  Command1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnConfirm(); });
  Command2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool Form4::ShowFolder(const std::string& folder) {
  using namespace platform::drives;
  shown_drive_ = static_cast<int>(DriveHolding(folder, drives_).value_or(SystemDriveIndex(drives_)));
  Drive1->SetSelection(shown_drive_);
  return Dir1->SelectFolder(folder);
}

const std::string& Form4::ShownDrive() const { return drives_[shown_drive_].mount_point; }

void Form4::OnDriveChange() {
  const int chosen = Drive1->GetSelection();
  if (chosen == wxNOT_FOUND) return;
  const std::string& mount_point = drives_[chosen].mount_point;
  if (!platform::drives::IsReady(mount_point)) {
    platform::BeepAndMessage("Il disco " + mount_point + " non è pronto !!!");
    Drive1->SetSelection(shown_drive_);
    return;
  }
  shown_drive_ = chosen;
  Dir1->SelectFolder(mount_point);
}

void Form4::OnConfirm() {
  const std::string folder = Dir1->SelectedPath();
  if (folder.empty()) {
    platform::BeepAndMessage("Selezionare una cartella !!!");
    return;
  }
  state_.Path_Scelto = folder;
  EndModal(wxID_OK);
}

void Form4::OnCancel() { EndModal(wxID_CANCEL); }

void ChooseDriveAndFolder(store::ProfileState& state) {
  Form4 window(state);
  window.ShowModal();
}

}  // namespace picker
