#include "store/profile_list.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "store/editor_items.h"
#include "store/numeric.h"
#include "store/profile_test_helpers.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::TempFolder;

std::vector<std::string> ListOf(const TempFolder& folder, ProfileState& state) {
  state.Path_Dati = folder.path();
  return store::LEGGI_FILES_COPIA_DAT(state);
}

// A profile without lines once borrowed the path of the profile listed before it; gaps in the numbers stay.
TEST(ProfileListing, SortsProfilesIgnoringCaseAndAddsTheLastFolderPathUnlessTheDescriptionShowsIt) {
  TempFolder folder;
  folder.Write("copia_01.dat", "copia_01.dat#Copia 01 (creata il 14/06/03 alle 10:22:33)\r\n 1#Doc#/doc/\r\n");
  folder.Write("Copia_02.DAT", "Copia_02.DAT#Salva /doc/ ogni sera\r\n 1#Doc#/doc/\r\n");
  folder.Write("Copia_05.Dat", "Copia_05.Dat#Senza righe\r\n");
  folder.Write("appunti.dat", "nessun separatore qui\r\n");
  folder.Write("binario.DAT", std::string("\0\1\2\3", 4));
  folder.Write("Copia_06.Dat.bak", "Copia_06.Dat#vecchia\r\n");
  folder.Write("Copia_07.txt", "Copia_07.txt#non dat\r\n");
  ProfileState state;
  const std::vector<std::string> listed = ListOf(folder, state);
  EXPECT_EQ(listed, (std::vector<std::string>{"copia_01.dat  Copia 01 (creata il 14/06/03 alle 10:22:33) (/doc/)",
                                              "Copia_02.DAT  Salva /doc/ ogni sera", "Copia_05.Dat  Senza righe"}));
  EXPECT_EQ(state.Num_Copie, 3);
  EXPECT_EQ(state.Max_Num_Copia, 5);
  // An item splits back at its first space into the name and the description.
  const auto parts = store::SplitListItem(listed[1]);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->name + "|" + parts->description, "Copia_02.DAT|Salva /doc/ ogni sera");
  EXPECT_FALSE(store::SplitListItem("SenzaSpazi"));
}

// Bytes this process has read so far, by the kernel's own count; nullopt where it keeps none.
std::optional<long long> BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return std::nullopt;
}

constexpr std::uintmax_t kHugeFileBytes = 1 << 26;

// A file without a line break after start (sparse where the file system can: it costs no disk).
void WriteHugeFile(const TempFolder& folder, const std::string& name, const std::string& start) {
  folder.Write(name, start);
  std::filesystem::resize_file(testing_support::PathOf(folder.path() + name), kHugeFileBytes);
}

// The listing read a "*.DAT" file without line breaks whole; the loader took an endless line, cut
// at its bound, for another folder ("/": the whole disk was packed), and a save dropped it.
TEST(ProfileListing, AnEndlessLineIsReadOnlyAsFarAsAProfileLineCanReachAndNeverSavedOver) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n 1#Doc#/doc/\r\n");
  WriteHugeFile(folder, "enorme.DAT", "nessuna riga qui");
  WriteHugeFile(folder, "Copia_02.Dat", "Copia_02.Dat#Due\r\n 1#Doc#/due/\r\n 2#Senza fine#/");
  const std::optional<long long> before = BytesReadSoFar();  // none where the kernel counts none
  ProfileState state;
  EXPECT_EQ(ListOf(folder, state), (std::vector<std::string>{"Copia_01.Dat  Uno (/doc/)", "Copia_02.Dat  Due (/due/)"}));
  state = testing_support::LoadedFrom(folder, "Copia_02.Dat");
  state.Descriz_Copia = "Rinominata";
  const std::string refusal = testing_support::SaveRefusal(state);
  EXPECT_NE(refusal.find("riga più lunga"), std::string::npos) << refusal;
  EXPECT_EQ(std::filesystem::file_size(testing_support::PathOf(folder.path() + "Copia_02.Dat")), kHugeFileBytes);
  if (before) EXPECT_LT(*BytesReadSoFar() - *before, 1 << 20);
}

TEST(ProfileNumbering, NewProfileFollowsTheHighestNumberUpTo99) {
  std::tm when{};
  when.tm_year = 103, when.tm_mon = 5, when.tm_mday = 14, when.tm_hour = 10, when.tm_min = 2, when.tm_sec = 3;
  const auto next = store::NewProfile(5, when);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->name, "Copia_06.Dat");
  EXPECT_EQ(next->description, "Copia 06 (creata il 14/06/03 alle 10:02:03)");
  EXPECT_EQ(store::NewProfile(98, when)->name, "Copia_99.Dat");
  EXPECT_FALSE(store::NewProfile(99, when));  // two digits have no room for 100
}

TEST(EditorItems, FixedColumnsCutAndPadByCharactersAndSkipBlankDescriptions) {
  const TempFolder folder;
  ProfileState state = testing_support::StateIn(  // the last description: 50 characters, 55 bytes
      folder, "", "", {{"Documenti", "/doc/"}, {"   ", "/nascosta/"}, {std::string(45, 'x') + "ààààà", "/lunga/"}});
  const auto items = store::CARICA_RIGHE_EDITOR(state);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], "001   Documenti" + std::string(31, ' ') + " /doc/");
  EXPECT_EQ(items[1], "003   " + std::string(40, 'x') + " /lunga/");
  EXPECT_EQ(state.Max_Num_Riga, 2);
  EXPECT_EQ(store::EditorListItem(7, "città", "/c/"), "007   città" + std::string(35, ' ') + " /c/");
}

TEST(NumericValues, ReadTheLeadingNumberLikeTheWindowsDoAndNothingPastTheText) {
  const std::pair<std::string_view, double> values[] = {
      {" 12#5", 12}, {"7abc", 7}, {"abc", 0}, {"", 0}, {"-3", -3}, {"1.5", 1.5}, {"10.05#", 10.05}, {"19.9", 19.9},
      {std::string_view("2.55", 3), 2.5}};  // the text ends before the last digit
  for (const auto& [text, value] : values) EXPECT_DOUBLE_EQ(store::NumericValue(text), value) << text;
#ifndef _WIN32
  // Each text again where readable memory ends: a read past its end stops the test.
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  void* pages = ::mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  char* const end = static_cast<char*>(pages) + page;
  ASSERT_EQ(::mprotect(end, page, PROT_NONE), 0);
  for (const auto& [text, value] : values) {
    std::copy(text.begin(), text.end(), end - text.size());
    EXPECT_DOUBLE_EQ(store::NumericValue({end - text.size(), text.size()}), value) << text;
  }
  ::munmap(pages, 2 * page);
#endif
  EXPECT_EQ(store::NumericValue16("2.5"), 2);  // half to even
  EXPECT_EQ(store::NumericValue16("3.5"), 4);
  EXPECT_EQ(store::NumericValue16("99999999"), 32767);
}

}  // namespace
