#include "store/profile_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <optional>

#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::TempFolder;

// Bytes this process has read so far, by the kernel's own count; nullopt where it keeps none.
std::optional<long long> BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return std::nullopt;
}

// A file of 1 GiB without a line break (sparse: it costs no disk).
void WriteHugeFile(const TempFolder& folder, const std::string& name, const std::string& start) {
  folder.Write(name, start);
  ASSERT_EQ(::truncate((folder.path() + name).c_str(), 1LL << 30), 0);
}

// The listing read a "*.DAT" file without line breaks whole, and the loader an endless line.
TEST(ProfileListing, FilesWithoutLineBreaksAreReadOnlyAsFarAsAProfileLineCanReach) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n 1#Doc#/doc/\r\n");
  WriteHugeFile(folder, "enorme.DAT", "nessuna riga qui");
  WriteHugeFile(folder, "Copia_02.Dat", "Copia_02.Dat#Due\r\n 1#Doc#/due/\r\n 2#Senza fine#/");
  const std::optional<long long> before = BytesReadSoFar();
  if (!before) GTEST_SKIP() << "/proc/self/io is missing: the bytes read cannot be counted";
  ProfileState state;
  state.Path_Dati = folder.path();
  const auto items = store::LEGGI_FILES_COPIA_DAT(state);
  const long long read = *BytesReadSoFar() - *before;
  EXPECT_EQ(items, (std::vector<std::string>{"Copia_01.Dat  Uno (/doc/)", "Copia_02.Dat  Due (/due/)"}));
  EXPECT_LT(read, 1 << 20);
}

}  // namespace
