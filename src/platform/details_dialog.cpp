#include "platform/details_dialog.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "platform/placement.h"
#include "platform/wx_text.h"

namespace platform {
namespace {

// How much of the text box shows before it scrolls, in characters and lines.
constexpr int kVisibleColumns = 100;
constexpr int kVisibleLines = 20;

wxRect ScreenArea(wxWindow* window) {
  const int index = window ? wxDisplay::GetFromWindow(window) : wxNOT_FOUND;
  return wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
}

// Columns of the longest line and the number of lines.
wxSize TextExtentInCharacters(const wxString& text) {
  int longest = 0, lines = 1, column = 0;
  for (wxUniChar c : text) {
    if (c == '\n') {
      ++lines;
      column = 0;
    } else {
      longest = std::max(longest, ++column);
    }
  }
  return {longest, lines};
}

class DetailsDialog final : public wxDialog {
 public:
  DetailsDialog(wxWindow* parent, const wxString& headline, const wxString& details, const wxString& title)
      : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
                 wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    auto* text = new wxTextCtrl(this, wxID_ANY, details, wxDefaultPosition, wxDefaultSize,
                                wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, headline), 0, wxALL, FromDIP(12));
    sizer->Add(text, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(12));
    sizer->Add(CreateStdDialogButtonSizer(wxOK), 0, wxEXPAND | wxALL, FromDIP(12));
    SetSizer(sizer);

    const wxSize extent = TextExtentInCharacters(details);
    const int scroll_bars = FromDIP(24);
    text->SetMinSize({std::min(extent.x + 2, kVisibleColumns) * text->GetCharWidth() + scroll_bars,
                      std::min(extent.y + 1, kVisibleLines) * text->GetCharHeight() + scroll_bars});
    Fit();

    // Whatever the fonts and the screen, never larger than most of it.
    const wxRect area = ScreenArea(parent ? parent : this);
    const wxSize largest(area.width * 9 / 10, area.height * 8 / 10);
    SetSize(wxSize(std::min(GetSize().x, largest.x), std::min(GetSize().y, largest.y)));
    SetMaxSize(area.GetSize());
    Move(PlaceNearCentre(area, GetSize(), wxPoint(0, 0)));

    SetEscapeId(wxID_OK);
    FindWindow(wxID_OK)->SetFocus();
  }
};

}  // namespace

void ShowDetailsDialog(wxWindow* parent, const std::string& headline, const std::string& details,
                       const std::string& title) {
  DetailsDialog dialog(parent, Wx(headline), Wx(details), Wx(title));
  dialog.ShowModal();
}

}  // namespace platform
