#pragma once

#include <zip.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace archiver {

// The entry's name in UTF-8, as every reader of names takes it, or none when libzip cannot
// read the entry. The Unicode Path extra field's name comes first when its CRC matches the
// stored name; a stored name that is ASCII or valid UTF-8 stays as it is (Linux and macOS tools
// write UTF-8 without the flag), and so does any name made on Unix; any other was written by
// an MS-DOS or Windows archiver in the DOS code page.
std::optional<std::string> EntryName(zip_t* archive, zip_uint64_t index);

// What a "\" in an entry's name is: an ordinary character in names made on Unix, where files
// may hold one, and a folder separator in names made on MS-DOS, OS/2 or Windows, whose tools
// write folders that way.
enum class Backslash { kCharacter, kSeparator };

// From the system in the entry's "version made by".
Backslash BackslashIn(std::uint8_t made_on);

// Which names the file system of the restore refuses or reads as something else. Linux takes
// every byte but "/"; Windows reads "a:b" as a stream of "a", "CON" or "nul.txt" as a device,
// "\" as a separator, and drops a final dot or space.
enum class NameRules { kLinux, kWindows };
extern const NameRules kSystemNameRules;

// Why a file or folder name cannot be written on Windows as it stands; empty when it can.
std::string WindowsNameProblem(const std::string& name);

// The entry name of a Windows path: the path below its drive or its share, "/" between folders
// ("C:\dati\a.txt" is "dati/a.txt", "\\server\dati\docs\a.txt" is "docs/a.txt"), so that a
// restore over the originals, whose target is the drive root or the share, puts it back where it
// was. Empty for the root or the share itself.
std::string WindowsEntryName(const std::string& path);

// Where an entry goes below the target, as folder and file names. Throws ItemError, naming
// the entry and the reason, for a name that could land anywhere else: an absolute name, ".."
// as a component, a drive letter such as "C:", a name with nothing left once "." and empty
// parts are dropped, and under Windows rules a part WindowsNameProblem finds wrong.
std::vector<std::string> SplitEntryName(const std::string& name, Backslash backslash, NameRules rules);

}  // namespace archiver
