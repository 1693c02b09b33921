#include "store/profile_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/text.h"
#include "store/profile_test_helpers.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::LoadedFrom;
using testing_support::SaveRefusal;
using testing_support::StateIn;
using testing_support::TempFolder;

TEST(ProfileFileLayout, WritesHeaderAndNumberedLinesWithCrLfAndLoadsThemBack) {
  TempFolder folder;
  const ProfileState state = StateIn(folder, "Copia_03.Dat", "Copia 03 #speciale# (creata il 14/06/03 alle 10:22:33)",
                                     {{"Documenti", "/home/anna/Documenti/"}, {"Foto di città", "/home/anna/Foto e video/"}});
  store::SALVA_COPIA(state);

  // UTF-8 on Linux, the ANSI code page on Windows.
  EXPECT_EQ(folder.Read("Copia_03.Dat"), platform::text::EncodeProfileText(
                                             "Copia_03.Dat#Copia 03 #speciale# (creata il 14/06/03 alle 10:22:33)\r\n"
                                             " 1#Documenti#/home/anna/Documenti/\r\n"
                                             " 2#Foto di città#/home/anna/Foto e video/\r\n"));

  EXPECT_EQ(LoadedFrom(folder, "Copia_03.Dat").Path_Copia, "/home/anna/Foto e video/");  // the last line's

  store::SALVA_COPIA(StateIn(folder, "Copia_01.Dat", "Vuota"));  // no folder lines: exactly one line
  EXPECT_EQ(folder.Read("Copia_01.Dat"), "Copia_01.Dat#Vuota\r\n");
}

struct FileCase {
  const char* fault;
  std::optional<std::string> text;  // nullopt: no file
  std::string loaded;
};
void PrintTo(const FileCase& c, std::ostream* out) { *out << c.fault; }
class ProfileFileText : public testing::TestWithParam<FileCase> {};

// Loaded over a profile whose line 2 is still in the tables.
TEST_P(ProfileFileText, LoadsAsItsOwnProfileOnly) {
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_01.Dat", "mai confermata", {{"", ""}, {"di un'altra copia", "/altra/"}});
  state.Num_Righe = 2;
  if (GetParam().text) folder.Write("Copia_01.Dat", *GetParam().text);
  store::LEGGI_COPIA(state);
  EXPECT_EQ(store::FormatProfile(state), GetParam().loaded);
  EXPECT_EQ(state.Max_Num_Riga, state.Num_Righe);
  for (int i = state.Max_Num_Riga + 1; i <= store::kMaxFolderLines; ++i)
    EXPECT_EQ(state.Des_Riga[i] + state.Path_Riga[i], "") << i;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ProfileFileText,
    testing::Values(FileCase{"PlainLineFeedsOrANumberWithoutItsSpace",
                             "Copia_01.Dat#  Prova  \n1#  Uno  #/uno/\n 2#Due#/due/",
                             "Copia_01.Dat#Prova\r\n 1#Uno#/uno/\r\n 2#Due#/due/\r\n"},
                    // Windows-1252: 0xE0 is "à", 0x80 is the euro sign.
                    FileCase{"AccentsOfTheWindowsProgramLost",
                             "Copia_01.Dat#Contabilit\xE0 \x80\r\n 1#Attivit\xE0#C:\\DOC\\\r\n",
                             "Copia_01.Dat#Contabilità €\r\n 1#Attività#C:\\DOC\\\r\n"},
                    FileCase{"HeaderOrLineNumberReachingElsewhere", "../../etc/passwd#Descrizione\r\n 500#A#/a/\r\n",
                             "Copia_01.Dat#Descrizione\r\n 1#A#/a/\r\n"},
                    FileCase{"MissingFileKeepsLinesOrLosesTheDescription", std::nullopt,
                             "Copia_01.Dat#mai confermata\r\n"}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.fault); });

TEST(ProfileFileLoading, SurvivesJunkAndKeepsAtMostOneHundredLines) {
  TempFolder folder;
  std::string text = "Copia_01.Dat#Molte righe\r\nriga senza separatori\r\n 7#solo un campo\r\n";
  text += std::string("\0\xff\x01#\xfe#", 6) + "\r\n";  // binary junk that still has two "#"
  for (int i = 1; i <= 150; ++i) text.append(" ").append(std::to_string(i)).append("#R").append(std::to_string(i)).append("#/r/\r\n");
  folder.Write("Copia_01.Dat", text);
  const ProfileState state = LoadedFrom(folder, "Copia_01.Dat");
  EXPECT_EQ(state.Num_Righe, 100);
  EXPECT_LE(state.Max_Num_Riga, 100);
  EXPECT_EQ(state.Des_Riga[2], "R1");  // malformed lines are not folder lines
  EXPECT_EQ(state.Des_Riga[100], "R99");
}

TEST(ProfileFileSaving, RefusesNamesOutsideTheDataFolderFieldsThatWouldBreakTheLayoutAndAMissingDataFolder) {
  for (const char* refused : {"", ".", "..", "../fuori.Dat", "/etc/profilo.Dat", "a/b.Dat", "a\\b.Dat",
                              "con#cancelletto.Dat", "a\nb.Dat", "C:x.Dat"})
    EXPECT_TRUE(store::ProfileNameProblem(refused).has_value()) << refused;
  for (const char* taken : {"Copia_01.Dat", "Copia 01.Dat", "copia_città.dat"})
    EXPECT_FALSE(store::ProfileNameProblem(taken).has_value()) << taken;
  TempFolder folder;
  for (const ProfileState& state : {StateIn(folder, "Copia_01.Dat", "due\r\nrighe"),
                                    StateIn(folder, "Copia_01.Dat", "ok", {{"con # dentro", "/x/"}})})
    EXPECT_NE(SaveRefusal(state), "") << state.Descriz_Copia;
  EXPECT_FALSE(folder.Exists("Copia_01.Dat"));
  ProfileState elsewhere = StateIn(folder, "Copia_01.Dat", "ok", {{"senza", "/x/"}});
  elsewhere.Path_Dati = "/nonexistent-faldone-folder/";
  EXPECT_NE(SaveRefusal(elsewhere), "");
}

}  // namespace
