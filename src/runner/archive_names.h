#pragma once

#include <string>

// Archive names: DDMMPPFF.ZIP in the data folder, the day and month of the run, the profile
// code and the folder-line code. The restore side finds and decodes archives by these names.
namespace runner {

// The profile code of a profile name: the last two characters of the name before its first
// "."; when their value is below 10, "_" and the last character ("Copia_01.Dat" gives "_1",
// "Copia_12.Dat" gives "12").
std::string ProfileCode(const std::string& nome_copia);

// Folder lines 1..9 give "_1".."_9", 10..99 their two digits, and line 100 gives "00".
std::string LineCode(int line);

// "1406_1_1.ZIP" for 14 June, profile code "_1", line code "_1".
std::string ArchiveName(int day, int month, const std::string& profile_code,
                        const std::string& line_code);

// Every archive of a profile, whatever its date and line: "????_1??.ZIP" for profile 1, which
// never matches profiles 10 or 11 since the code sits at characters 5-6.
std::string SearchPattern(const std::string& profile_code);

// Profile and folder-line numbers read back from characters 5-8 of an archive name; "_N" is N.
// The line code "00" stands for line 100. Numbers that cannot be read are 0.
struct ArchiveNumbers {
  int profile = 0;
  int line = 0;
};
ArchiveNumbers DecodeArchiveName(const std::string& name);

}  // namespace runner
