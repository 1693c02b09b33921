#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/user_error.h"
#include "store/profile_file.h"
#include "support/temp_folder.h"

namespace testing_support {

using store::ProfileState;
using Lines = std::vector<std::pair<std::string, std::string>>;  // description, folder

// Profile name with its folder lines numbered from 1.
inline ProfileState Profile(const std::string& name, const std::string& description = "", const Lines& lines = {}) {
  ProfileState state;
  state.Nome_Copia = name;
  state.Descriz_Copia = description;
  for (std::size_t i = 0; i < lines.size(); ++i)
    std::tie(state.Des_Riga[i + 1], state.Path_Riga[i + 1]) = lines[i];
  state.Max_Num_Riga = static_cast<std::int16_t>(lines.size());
  return state;
}

inline ProfileState StateIn(const TempFolder& folder, const std::string& name, const std::string& description = "",
                            const Lines& lines = {}) {
  ProfileState state = Profile(name, description, lines);
  state.Path_Dati = folder.path();
  return state;
}

// profile name as the loader reads it from folder.
inline ProfileState LoadedFrom(const TempFolder& folder, const std::string& name) {
  ProfileState state = StateIn(folder, name);
  store::LEGGI_COPIA(state);
  return state;
}

// The message a refused save gives, empty when it was written.
inline std::string SaveRefusal(const ProfileState& state) {
  try {
    store::SALVA_COPIA(state);
  } catch (const platform::UserError& e) {
    return e.what();
  }
  return {};
}

}  // namespace testing_support
