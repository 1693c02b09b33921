#pragma once

#include <optional>
#include <string>

#include "store/profile_state.h"

// The checks of the editor's "Conferma", in the order the user meets them.
namespace editor {

// What the text boxes hold.
struct LineEntry {
  std::string profile_name;         // txtNome_Copia
  std::string profile_description;  // txtDescriz_Copia
  std::string number;               // txtNum_Copia
  std::string description;          // txtDes_Copia
  std::string path;                 // txtPath_Copia
};

struct CheckedLine {
  // The message of the first check that failed; nullopt when the line can be stored.
  std::optional<std::string> problem;
  // The line's description passed its check: "Nuova copia" is offered again from here on,
  // even when a later check fails.
  bool description_passed = false;
  int number = 0;
  std::string description;  // trimmed
  std::string path;         // trimmed, with its closing separator
};

// Runs the checks in order and stops at the first that fails. As it goes it stores the trimmed
// profile name and, once the name has passed, the trimmed description in Nome_Copia and
// Descriz_Copia.
CheckedLine CheckLine(const LineEntry& entry, store::ProfileState& state);

}  // namespace editor
