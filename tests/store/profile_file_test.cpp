#include "store/profile_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "platform/user_error.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::TempFolder;

ProfileState StateIn(const TempFolder& folder, const std::string& name) {
  ProfileState state;
  state.Path_Dati = folder.path();
  state.Nome_Copia = name;
  return state;
}

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

  EXPECT_EQ(folder.Read("Copia_03.Dat"),
            "Copia_03.Dat#Copia 03 #speciale# (creata il 14/06/03 alle 10:22:33)\r\n"
            " 1#Documenti#/home/anna/Documenti/\r\n"
            " 2#Foto di città#/home/anna/Foto e video/\r\n");

  ProfileState loaded = StateIn(folder, "Copia_03.Dat");
  store::LEGGI_COPIA(loaded);
  EXPECT_EQ(loaded.Descriz_Copia, state.Descriz_Copia);  // only the first "#" separates
  EXPECT_EQ(loaded.Num_Righe, 2);
  EXPECT_EQ(loaded.Max_Num_Riga, 2);
  EXPECT_EQ(loaded.Des_Riga[2], "Foto di città");
  EXPECT_EQ(loaded.Path_Riga[2], "/home/anna/Foto e video/");
  EXPECT_EQ(loaded.Path_Copia, "/home/anna/Foto e video/");
  EXPECT_EQ(store::FormatProfile(loaded), folder.Read("Copia_03.Dat"));
}

TEST(ProfileFileLayout, ProfileWithoutFolderLinesIsExactlyOneLine) {
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "Vuota";
  store::SALVA_COPIA(state);
  EXPECT_EQ(folder.Read("Copia_01.Dat"), "Copia_01.Dat#Vuota\r\n");
}

TEST(ProfileFileLoading, NumbersWithoutLeadingSpaceAndPlainLineFeedsLoadTheSame) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "Copia_01.Dat#  Prova  \n1#  Uno  #/uno/\n 2#Due#/due/");
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Descriz_Copia, "Prova");
  ASSERT_EQ(state.Num_Righe, 2);
  EXPECT_EQ(state.Max_Num_Riga, 2);
  EXPECT_EQ(state.Des_Riga[1], "Uno");
  EXPECT_EQ(state.Path_Riga[1], "/uno/");
  EXPECT_EQ(state.Path_Riga[2], "/due/");
}

TEST(ProfileFileLoading, FileOfTheWindowsProgramKeepsItsAccents) {
  TempFolder folder;
  // Windows-1252: 0xE0 is "à", 0x80 is the euro sign.
  folder.Write("Copia_02.Dat", "Copia_02.Dat#Contabilit\xE0 \x80\r\n 1#Attivit\xE0#C:\\DOC\\\r\n");
  ProfileState state = StateIn(folder, "Copia_02.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Descriz_Copia, "Contabilità €");
  EXPECT_EQ(state.Des_Riga[1], "Attività");
  EXPECT_EQ(state.Path_Riga[1], "C:\\DOC\\");
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

// Guards against lines of a profile loaded earlier ending up in this one's file.
TEST(ProfileFileLoading, EntriesAboveTheLinesReadAreEmptied) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n 1#A#/a/\r\n");
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Des_Riga[2] = "di un'altra copia";
  state.Path_Riga[2] = "/altra/";
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Des_Riga[2], "");
  EXPECT_EQ(state.Path_Riga[2], "");
}

TEST(ProfileFileLoading, HeaderCannotRedirectTheProfileToAnotherFile) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "../../etc/passwd#Descrizione\r\n");
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Nome_Copia, "Copia_01.Dat");
  EXPECT_EQ(state.Descriz_Copia, "Descrizione");
}

TEST(ProfileFileLoading, SurvivesJunkAndKeepsAtMostOneHundredLines) {
  TempFolder folder;
  std::string text = "Copia_01.Dat#Molte righe\r\nriga senza separatori\r\n 7#solo un campo\r\n";
  text += std::string("\0\xff\x01#\xfe#", 6) + "\r\n";  // binary junk that still has two "#"
  for (int i = 1; i <= 150; ++i) text += " " + std::to_string(i) + "#R" + std::to_string(i) + "#/r/\r\n";
  folder.Write("Copia_01.Dat", text);
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Num_Righe, 100);
  EXPECT_LE(state.Max_Num_Riga, 100);
  EXPECT_EQ(state.Des_Riga[2], "R1");  // malformed lines are not folder lines
  EXPECT_EQ(state.Des_Riga[100], "R99");
}

TEST(ProfileFileLoading, NumbersBeyondTheLinesReadNeverWidenTheWrite) {
  TempFolder folder;
  folder.Write("Copia_01.Dat", "Copia_01.Dat#X\r\n 500#A#/a/\r\n");
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Max_Num_Riga, 1);
  EXPECT_EQ(store::FormatProfile(state), "Copia_01.Dat#X\r\n 1#A#/a/\r\n");
}

TEST(ProfileFileLoading, HundredMegabyteFileLoadsQuicklyWithBoundedLines) {
  TempFolder folder;
  std::string big = "Copia_01.Dat#Grande\r\n 1#A#/a/\r\n";
  big += std::string(100 * 1024 * 1024, 'x');
  folder.Write("Copia_01.Dat", big);
  big.clear();
  big.shrink_to_fit();
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Num_Righe, 1);
  EXPECT_EQ(state.Path_Riga[1], "/a/");
}

TEST(ProfileFileSaving, RefusesFieldsThatWouldBreakTheLayout) {
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "due\r\nrighe";
  EXPECT_THROW(store::SALVA_COPIA(state), platform::UserError);
  state.Descriz_Copia = "ok";
  state.Max_Num_Riga = 1;
  state.Des_Riga[1] = "con # dentro";
  state.Path_Riga[1] = "/x/";
  EXPECT_THROW(store::SALVA_COPIA(state), platform::UserError);
  EXPECT_FALSE(folder.Exists("Copia_01.Dat"));
}

TEST(ProfileFileSaving, NamesReachingOutsideTheDataFolderAreRefused) {
  for (const char* name : {"", ".", "..", "../fuori.Dat", "/etc/profilo.Dat", "a/b.Dat",
                           "a\\b.Dat", "con#cancelletto.Dat", "a\nb.Dat", "C:x.Dat"})
    EXPECT_TRUE(store::ProfileNameProblem(name).has_value()) << name;
  for (const char* name : {"Copia_01.Dat", "Copia 01.Dat", "copia_città.dat"})
    EXPECT_FALSE(store::ProfileNameProblem(name).has_value()) << name;
}

// A write that fails halfway must leave the old profile exactly as it was, and no temporary
// file behind. A file-size limit makes the write fail even for root.
TEST(ProfileFileSaving, FailedWriteLeavesTheOldFileAndNoTemporary) {
  TempFolder folder;
  const std::string old_text = "Copia_01.Dat#Vecchia\r\n 1#A#/a/\r\n";
  folder.Write("Copia_01.Dat", old_text);
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "Nuova";
  state.Max_Num_Riga = 100;
  for (int i = 1; i <= 100; ++i) {
    state.Des_Riga[i] = "Riga " + std::to_string(i);
    state.Path_Riga[i] = "/una/cartella/con/un/nome/piuttosto/lungo/" + std::to_string(i) + "/";
  }

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  try {
    store::SALVA_COPIA(state);
  } catch (const platform::UserError& e) {
    error = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);

  EXPECT_NE(error.find(folder.path() + "Copia_01.Dat"), std::string::npos) << error;
  EXPECT_EQ(folder.Read("Copia_01.Dat"), old_text);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat");
}

TEST(ProfileFileSaving, MissingDataFolderIsReportedNotIgnored) {
  ProfileState state;
  state.Path_Dati = "/nonexistent-faldone-folder/";
  state.Nome_Copia = "Copia_01.Dat";
  state.Descriz_Copia = "x";
  EXPECT_THROW(store::SALVA_COPIA(state), platform::UserError);
}

}  // namespace
