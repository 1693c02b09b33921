#pragma once

#include <string>
#include <vector>

#include "store/profile_state.h"

namespace store {

// The profile editor's list: one item per folder line 1..Max_Num_Riga whose description is not
// blank, in fixed columns (1-3 the number as 001, 4-6 spaces, 7-46 the description cut or
// padded to 40 characters, 47 a space, 48 onwards the path). Sets Max_Num_Riga to the number
// of items.
std::vector<std::string> CARICA_RIGHE_EDITOR(ProfileState& state);

// One item of that list.
std::string EditorListItem(int number, const std::string& description, const std::string& path);

}  // namespace store
