#pragma once

#include <wx/textctrl.h>

namespace platform {

// A single-line text box that Tab reaches whether it is read-only or not. Windows' own edit
// control leaves read-only boxes out of the Tab walk; these windows walk through them, as
// they do on Linux.
class TextBox : public wxTextCtrl {
 public:
  TextBox(wxWindow* parent, long style)
      : wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, style) {}
  bool AcceptsFocusFromKeyboard() const override { return AcceptsFocus(); }
};

}  // namespace platform
