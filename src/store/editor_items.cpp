#include "store/editor_items.h"

#include <algorithm>
#include <cstdio>

#include "platform/text.h"

namespace store {

std::string EditorListItem(int number, const std::string& description, const std::string& path) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  return platform::text::PadOrCut(digits, 5) + " " + platform::text::PadOrCut(description, 40) +
         " " + path;
}

std::vector<std::string> CARICA_RIGHE_EDITOR(ProfileState& state) {
  std::vector<std::string> items;
  const int last = std::min<int>(state.Max_Num_Riga, kMaxFolderLines);
  for (int i = 1; i <= last; ++i) {
    state.Path_Copia = state.Path_Riga[i];
    if (platform::text::Trim(state.Des_Riga[i]).empty()) continue;
    items.push_back(EditorListItem(i, state.Des_Riga[i], state.Path_Riga[i]));
  }
  state.Max_Num_Riga = static_cast<std::int16_t>(items.size());
  return items;
}

}  // namespace store
