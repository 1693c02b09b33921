#include "store/profile_file.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/user_error.h"
#include "store/profile_test_helpers.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::Loaded;
using testing_support::SaveRefusal;
using testing_support::StateIn;
using testing_support::TempFolder;

TEST(ProfileFileLayout, WritesHeaderAndNumberedLinesWithCrLfAndLoadsThemBack) {
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_03.Dat");
  state.Descriz_Copia = "Copia 03 #speciale# (creata il 14/06/03 alle 10:22:33)";
  state.Max_Num_Riga = 2;
  state.Des_Riga[1] = "Documenti";
  state.Path_Riga[1] = "/home/anna/Documenti/";
  state.Des_Riga[2] = "Foto di città";
  state.Path_Riga[2] = "/home/anna/Foto e video/";
  store::SALVA_COPIA(state);

  // UTF-8 on Linux, the ANSI code page on Windows.
  EXPECT_EQ(folder.Read("Copia_03.Dat"), platform::text::EncodeProfileText(
                                             "Copia_03.Dat#Copia 03 #speciale# (creata il 14/06/03 alle 10:22:33)\r\n"
                                             " 1#Documenti#/home/anna/Documenti/\r\n"
                                             " 2#Foto di città#/home/anna/Foto e video/\r\n"));

  ProfileState loaded = StateIn(folder, "Copia_03.Dat");
  store::LEGGI_COPIA(loaded);
  EXPECT_EQ(store::FormatProfile(loaded), store::FormatProfile(state));  // only the first "#" separates
  EXPECT_EQ(loaded.Num_Righe, 2);
  EXPECT_EQ(loaded.Path_Copia, "/home/anna/Foto e video/");

  ProfileState empty = StateIn(folder, "Copia_01.Dat");  // no folder lines: exactly one line
  empty.Descriz_Copia = "Vuota";
  store::SALVA_COPIA(empty);
  EXPECT_EQ(folder.Read("Copia_01.Dat"), "Copia_01.Dat#Vuota\r\n");

  const ProfileState plain = Loaded(folder, "Copia_01.Dat#  Prova  \n1#  Uno  #/uno/\n 2#Due#/due/");
  EXPECT_EQ(plain.Num_Righe, 2);  // plain line feeds, a number without its space
  EXPECT_EQ(store::FormatProfile(plain), "Copia_01.Dat#Prova\r\n 1#Uno#/uno/\r\n 2#Due#/due/\r\n");
}

TEST(ProfileFileLoading, FileOfTheWindowsProgramKeepsItsAccents) {
  TempFolder folder;
  // Windows-1252: 0xE0 is "à", 0x80 is the euro sign.
  const ProfileState state = Loaded(folder, "Copia_01.Dat#Contabilit\xE0 \x80\r\n 1#Attivit\xE0#C:\\DOC\\\r\n");
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Contabilità €\r\n 1#Attività#C:\\DOC\\\r\n");
}

TEST(ProfileFileLoading, MissingFileLoadsNoLinesAndKeepsNameAndDescription) {
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_09.Dat");
  state.Descriz_Copia = "mai confermata";
  state.Num_Righe = 4;
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Num_Righe, 0);
  EXPECT_EQ(state.Max_Num_Riga, 0);
  EXPECT_EQ(state.Nome_Copia, "Copia_09.Dat");
  EXPECT_EQ(state.Descriz_Copia, "mai confermata");
}

// Lines of a profile loaded earlier ended up in this one's file, a line number beyond the lines
// read widened the next write, and a header naming another file redirected the profile.
TEST(ProfileFileLoading, AFileReachesNeitherBeyondItsOwnLinesNorAnotherName) {
  TempFolder folder;
  ProfileState earlier;
  earlier.Des_Riga[2] = "di un'altra copia";
  earlier.Path_Riga[2] = "/altra/";
  const ProfileState state = Loaded(folder, "../../etc/passwd#Descrizione\r\n 500#A#/a/\r\n", earlier);
  EXPECT_EQ(state.Nome_Copia, "Copia_01.Dat");
  EXPECT_EQ(state.Descriz_Copia, "Descrizione");
  EXPECT_EQ(state.Des_Riga[2], "");
  EXPECT_EQ(state.Path_Riga[2], "");
  EXPECT_EQ(state.Max_Num_Riga, 1);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#Descrizione\r\n 1#A#/a/\r\n");
}

TEST(ProfileFileLoading, SurvivesJunkAndKeepsAtMostOneHundredLines) {
  TempFolder folder;
  std::string text = "Copia_01.Dat#Molte righe\r\nriga senza separatori\r\n 7#solo un campo\r\n";
  text += std::string("\0\xff\x01#\xfe#", 6) + "\r\n";  // binary junk that still has two "#"
  for (int i = 1; i <= 150; ++i) text.append(" ").append(std::to_string(i)).append("#R").append(std::to_string(i)).append("#/r/\r\n");
  const ProfileState state = Loaded(folder, text);
  EXPECT_EQ(state.Num_Righe, 100);
  EXPECT_LE(state.Max_Num_Riga, 100);
  EXPECT_EQ(state.Des_Riga[2], "R1");  // malformed lines are not folder lines
  EXPECT_EQ(state.Des_Riga[100], "R99");
}

// A line cut at the loader's bound loaded as another folder ("/" for a description of 16,379
// bytes: the next backup packed the whole disk), and the next save dropped what was cut.
TEST(ProfileFileLoading, OverLongLineNeverLoadsAsAnotherFolderNorIsSavedOver) {
  TempFolder folder;
  const std::string text = "Copia_01.Dat#Lunga\r\n 1#Prima#/prima/\r\n 2#" +
                           std::string(16379, 'd') + "#/home/anna/\r\n 3#Terza#/terza/\r\n";
  ProfileState state = Loaded(folder, text);
  ASSERT_EQ(state.Num_Righe, 1);
  EXPECT_EQ(state.Path_Riga[1], "/prima/");

  state.Descriz_Copia = "Rinominata";
  const std::string error = SaveRefusal(state);
  EXPECT_NE(error.find("riga più lunga"), std::string::npos) << error;
  EXPECT_EQ(folder.Read("Copia_01.Dat"), text);
}

TEST(ProfileFileSaving, RefusesFieldsThatWouldBreakTheLayoutAndAMissingDataFolder) {
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "due\r\nrighe";
  EXPECT_NE(SaveRefusal(state), "");
  state.Descriz_Copia = "ok";
  state.Max_Num_Riga = 1;
  state.Des_Riga[1] = "con # dentro";
  state.Path_Riga[1] = "/x/";
  EXPECT_NE(SaveRefusal(state), "");
  EXPECT_FALSE(folder.Exists("Copia_01.Dat"));
  state.Des_Riga[1] = "senza";
  state.Path_Dati = "/nonexistent-faldone-folder/";
  EXPECT_NE(SaveRefusal(state), "");
}

TEST(ProfileFileSaving, NamesReachingOutsideTheDataFolderAreRefused) {
  for (const char* name : {"", ".", "..", "../fuori.Dat", "/etc/profilo.Dat", "a/b.Dat",
                           "a\\b.Dat", "con#cancelletto.Dat", "a\nb.Dat", "C:x.Dat"})
    EXPECT_TRUE(store::ProfileNameProblem(name).has_value()) << name;
  for (const char* name : {"Copia_01.Dat", "Copia 01.Dat", "copia_città.dat"})
    EXPECT_FALSE(store::ProfileNameProblem(name).has_value()) << name;
}

}  // namespace
