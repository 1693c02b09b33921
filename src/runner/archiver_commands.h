#pragma once

#include <optional>
#include <string>

// The archiver's two command lines. The archiver sits beside the program and accepts exactly
//   archivia -min -a -r -p ARCHIVE "FOLDER/*.*"   (pack every file under FOLDER)
//   archivia -min -e -o ARCHIVE "TARGET"          (unpack every entry under TARGET)
// and ends with 0 when all was done, 1 when some files failed and 2 when nothing was done.
// What it says about single items goes to standard error one line each, after "archivia: ";
// a command line it cannot read gets its usage text, which begins "uso: ", and code 2.
namespace runner {

inline constexpr int kArchiverSomeFilesFailed = 1;
inline constexpr int kArchiverNothingDone = 2;
inline constexpr const char* kArchiverMessagePrefix = "archivia: ";
inline constexpr const char* kArchiverUsagePrefix = "uso: ";

// Why a line whose paths hold a double quote is not run.
inline constexpr const char* kQuoteRefusal =
    "il percorso contiene le virgolette (\") e non può essere passato al programma di archiviazione";

// The archiver beside the running program ("archivia.exe" on Windows).
std::string ArchiverPath();

// The command line that packs folder (ending in the separator) into archive. The archive path is written
// as it is, in quotes only when it holds a blank; the folder goes in quotes with "*.*" after it.
// nullopt when a path holds a double quote, which no command line can pass whole.
std::optional<std::string> BackupCommandLine(const std::string& archiver, const std::string& archive,
                                             const std::string& folder);

// The command line that unpacks archive under target, quoted as above.
std::optional<std::string> RestoreCommandLine(const std::string& archiver, const std::string& archive,
                                              const std::string& target);

}  // namespace runner
