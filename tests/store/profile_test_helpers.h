#pragma once

#include <string>

#include "platform/user_error.h"
#include "store/profile_file.h"
#include "support/temp_folder.h"

namespace testing_support {

using store::ProfileState;

inline ProfileState StateIn(const TempFolder& folder, const std::string& name) {
  ProfileState state;
  state.Path_Dati = folder.path();
  state.Nome_Copia = name;
  return state;
}

// Writes text as profile 01 and loads it over state, as the editor does.
inline ProfileState Loaded(const TempFolder& folder, const std::string& text, ProfileState state = {}) {
  folder.Write("Copia_01.Dat", text);
  state.Path_Dati = folder.path();
  state.Nome_Copia = "Copia_01.Dat";
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
