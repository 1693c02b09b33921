#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "store/profile_state.h"

// The main window's list of profiles and the numbering of a new profile.
namespace store {

// Reads every profile file ("*.DAT", any case, whose first line holds "#") of the data folder
// and returns the main window's list items, sorted. Leaves Max_Num_Copia and Num_Copie set and
// the last profile read loaded. An empty result means no profile was found.
std::vector<std::string> LEGGI_FILES_COPIA_DAT(ProfileState& state);

// The list item of the loaded profile: name, two spaces, description, and " (path)" of its
// last folder line unless the description already shows that path.
std::string ProfileListItem(const ProfileState& state);

// An item split at its first space into name and trimmed description; nullopt without a space.
struct NameAndDescription {
  std::string name;
  std::string description;
};
std::optional<NameAndDescription> SplitListItem(const std::string& item);

// The next profile after max_num_copia with its default description stamped with now, e.g.
// Copia_04.Dat and "Copia 04 (creata il 14/06/03 alle 10:22:33)". nullopt when the two-digit
// number has no room left (99 is taken).
std::optional<NameAndDescription> NewProfile(int max_num_copia, const std::tm& now);

}  // namespace store
