#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "store/profile_state.h"

// The profile file: a header "name#description" and one line " N#description#path" for each
// folder line, every line ended by CR LF. Files written here load identically. A file whose
// text is all valid UTF-8 is read as UTF-8 (the Linux build writes UTF-8); any other is 8-bit
// text, as the earlier Windows program wrote it: on Linux it is read as Windows-1252; on Windows
// in the system's ANSI code page when that is a single-byte page, and as Windows-1252 when the
// system's page is UTF-8 or a multi-byte one. On Windows files are written in the page they are
// read in, or in UTF-8 when that is the system's page; a save whose text would read back as
// other characters, or that holds characters the page cannot hold, is refused with a message.
namespace store {

// The longest descriptions and folder path the writer accepts: every line it can write stays
// well within what the loader reads, so nothing written is ever cut when read back.
inline constexpr std::size_t kMaxDescriptionChars = 1000;
inline constexpr std::size_t kMaxPathBytes = 4095;  // the longest path the system can open

// Loads Path_Dati + Nome_Copia into the folder-line state. A missing or unreadable file loads
// as a profile without folder lines and leaves Nome_Copia and Descriz_Copia as they were.
// Entries above the lines read are emptied, so no line of a profile loaded earlier survives.
void LEGGI_COPIA(ProfileState& state);

// The file's text for the current name, description and folder lines 1..Max_Num_Riga.
// Throws platform::UserError when a field would break the layout (see FieldProblem).
std::string FormatProfile(const ProfileState& state);

// Rewrites Path_Dati + Nome_Copia from the state, never leaving it half written; whatever it
// writes, LEGGI_COPIA reads back as it was. Throws platform::UserError (naming the file and the
// reason), leaving the file as it was, when it cannot write it or when the file exists but could
// not be read whole: its lines were then not loaded, and writing would lose them.
void SALVA_COPIA(const ProfileState& state);

// True when the file at path begins like a profile: its first line, read no further than a
// profile's line can reach, holds "#".
bool HasProfileHeader(const std::string& path);

// Why text cannot be stored in a field of the profile file, or nullopt when it can: text that
// would not read back as it was written. A line break would split the line; a "#" in a folder
// line's description would move the folder into another field; the loader trims spaces at the
// ends of the descriptions and of the path; text beyond the length bounds is refused, and so
// are characters the file's code page cannot hold (on Windows), which would come back as "?".
enum class Field { ProfileDescription, LineDescription, LinePath };
std::optional<std::string> FieldProblem(Field field, const std::string& text);

// Why name cannot be a profile's name, or nullopt when it can: the name is a file name
// directly in the data folder, so it may not reach outside it nor hold "#" or a line break.
std::optional<std::string> ProfileNameProblem(const std::string& name);

}  // namespace store
