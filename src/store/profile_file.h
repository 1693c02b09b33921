#pragma once

#include <optional>
#include <string>

#include "store/profile_state.h"

// The profile file: a header "name#description" and one line " N#description#path" for each
// folder line, every line ended by CR LF. Files written here load identically, and so do the
// files of the earlier Windows program (8-bit text, read as Windows-1252).
namespace store {

// Loads Path_Dati + Nome_Copia into the folder-line state. A missing or unreadable file loads
// as a profile without folder lines and leaves Nome_Copia and Descriz_Copia as they were.
// Entries above the lines read are emptied, so no line of a profile loaded earlier survives.
void LEGGI_COPIA(ProfileState& state);

// The file's text for the current name, description and folder lines 1..Max_Num_Riga.
// Throws platform::UserError when a field would break the layout (see FieldProblem).
std::string FormatProfile(const ProfileState& state);

// Rewrites Path_Dati + Nome_Copia from the state, never leaving it half written.
// Throws platform::UserError (naming the file and the system's error) when it cannot.
void SALVA_COPIA(const ProfileState& state);

// Why text cannot be stored in a field of the profile file, or nullopt when it can.
// A line break would split the line; a "#" in a folder line's description would move the
// folder into another field when the file is read again.
enum class Field { ProfileDescription, LineDescription, LinePath };
std::optional<std::string> FieldProblem(Field field, const std::string& text);

// Why name cannot be a profile's name, or nullopt when it can: the name is a file name
// directly in the data folder, so it may not reach outside it nor hold "#" or a line break.
std::optional<std::string> ProfileNameProblem(const std::string& name);

}  // namespace store
