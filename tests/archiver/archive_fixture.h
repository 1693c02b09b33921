#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archiver/entry_metadata.h"
#include "archiver/exit_code.h"
#include "support/temp_folder.h"

namespace archiver_test {

using ::testing::HasSubstr;

struct Run {
  archiver::ExitCode code;
  std::string messages;
};

Run Backup(const std::string& archive, const std::string& folder);
Run Restore(const std::string& archive, const std::string& target);

struct ProcessResult {
  int exit_code;       // -1: no normal exit
  std::string output;  // standard output and error together
};

std::string ArchiviaPath();
std::vector<std::string> BackupCommand(const std::string& archive, const std::string& folder,
                                       const std::string& program = ArchiviaPath());
std::vector<std::string> RestoreCommand(const std::string& archive, const std::string& target);
// Without a shell; run_as_nobody drops root's rights so permission checks apply (Linux).
ProcessResult RunProgram(const std::vector<std::string>& argv, bool run_as_nobody = false);
std::vector<std::string> Leftovers(const std::string& archive);  // temporary files beside it
// Linux: started without waiting, output to output_path; the exit code is -1 for no normal exit.
int StartProgram(const std::vector<std::string>& argv, const std::string& output_path, bool run_as_nobody = false);
int WaitForProgram(int child);
bool ToolExists(const std::string& name);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);  // without following a final link
void SetMtime(const std::string& path, std::int64_t seconds);
archiver::ModificationTime ExactMtime(const std::string& path);  // of a link itself, to the 100 ns tick
inline std::int64_t Mtime(const std::string& path) { return ExactMtime(path).seconds; }
archiver::UnixMode Permissions(const std::string& path);  // the 07777 bits
std::uint64_t FileIdentity(const std::string& path);     // another when the name is given to another file
// Every path below folder, relative to it, sorted; folders end in "/".
std::vector<std::string> ListTree(const std::string& folder);
// Bytes deflate does not shrink, text it does; both differ for every seed.
std::string RandomBytes(std::size_t size, unsigned seed);
std::string CompressibleText(std::size_t size, int seed);

// As any tool may write it: the name's bytes without the UTF-8 flag, the same extra fields in both
// headers and, unless deflated here, the data stored whatever the method says.
struct HandMadeEntry {
  std::string name;
  std::string data;
  std::optional<archiver::UnixMode> unix_mode;  // type and permission bits, as Info-ZIP stores them
  std::uint8_t made_on = 3;         // the system in "version made by": 3 Unix, 0 MS-DOS, 10 Windows
  std::optional<std::int64_t> mtime = {};            // the MS-DOS time, local; 15 June 2003 without it
  std::optional<std::uint32_t> extended_mtime = {};  // the 0x5455 field's bits, as another tool wrote them
  bool deflated = false;
  std::uint8_t dos_attributes = 0;  // the low byte of the external attributes
  std::string extra = {};
  std::uint16_t method = 0;
};
void WriteHandMadeArchive(const std::string& path, const std::vector<HandMadeEntry>& entries);
std::string NtfsTimesData(archiver::ModificationTime time);  // of the 0x000a field
std::string Field(std::uint16_t id, const std::string& data);  // with its header
std::string Little(std::uint64_t value, int bytes);            // little-endian, as ZIP writes numbers
std::uint32_t Crc32(const std::string& bytes);

struct EntryInfo {
  std::string name;
  std::int32_t method;
  int extended_timestamps;  // how many 0x5455 fields the central directory holds for it
  std::string raw;          // the data as it lies in the archive
  std::int64_t stored_at;   // of our field, -1 without it
};
std::vector<EntryInfo> ReadEntries(const std::string& archive);
std::vector<std::string> EntryNames(const std::string& archive);  // as the restore reads them

// The archive, the folder to back up, the restore's target and "fuori", which no entry may reach.
class Sandbox : public ::testing::Test {
 public:  // the cases' own steps reach them too
  void SetUp() override;
  void TearDown() override;  // "fuori" is still empty
  void ExpectSameTree(const std::string& original, const std::string& restored, bool link_times = true);

  testing_support::TempFolder folder_;
  const std::string root_ = folder_.path();
  const std::string archive_ = root_ + "01020304.ZIP";
  const std::string source_ = root_ + "Documenti di Anna";
  const std::string target_ = root_ + "destinazione";
  const std::string outside_ = root_ + "fuori";
};

}  // namespace archiver_test
