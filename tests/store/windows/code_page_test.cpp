#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "store/profile_file.h"
#include "store/profile_test_helpers.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::LoadedFrom;
using testing_support::SaveRefusal;
using testing_support::StateIn;
using testing_support::TempFolder;

// Windows-1252 on an Italian system and on a Japanese one (932 would join "à" and a "\"): CTest runs both.
bool ProfilesInWindows1252() { return ::GetACP() == 1252 || ::GetACP() == 932; }

// The Japanese run is worth something only if Wine did take the locale's code page.
TEST(WindowsProfileFiles, RunsInTheCodePageAskedFor) {
  const char* wanted = std::getenv("FALDONE_CODE_PAGE");
  if (!wanted) GTEST_SKIP() << "no code page asked for";
  EXPECT_EQ(::GetACP(), std::stoul(wanted));
}

// Byte for byte as the earlier program wrote them (a UTF-8 file showed "Ã " for "à" there), while a
// profile carried over from the Linux build is UTF-8: read as 8-bit text its "à" became "Ã ".
TEST(WindowsProfileFiles, AccentsAreWrittenInTheAnsiCodePageByteForByteAndAUtf8FileIsReadAsUtf8) {
  if (!ProfilesInWindows1252()) GTEST_SKIP() << "the system's ANSI code page is " << ::GetACP();
  TempFolder folder;
  const ProfileState state = StateIn(folder, "Copia_01.Dat", "àèìòù €", {{"Contabilità", "C:\\Documenti\\Città\\"}});
  store::SALVA_COPIA(state);
  EXPECT_EQ(folder.Read("Copia_01.Dat"),
            "Copia_01.Dat#\xE0\xE8\xEC\xF2\xF9 \x80\r\n 1#Contabilit\xE0#C:\\Documenti\\Citt\xE0\\\r\n");
  EXPECT_EQ(store::FormatProfile(LoadedFrom(folder, "Copia_01.Dat")), store::FormatProfile(state));
  folder.Write("Copia_02.Dat", "Copia_02.Dat#Perché così\r\n 1#Attività#C:\\Città\\\r\n");
  EXPECT_EQ(store::FormatProfile(LoadedFrom(folder, "Copia_02.Dat")),
            "Copia_02.Dat#Perché così\r\n 1#Attività#C:\\Città\\\r\n");
}

// Written as "?" the line named another folder; "É«" in Windows-1252 is the UTF-8 of "ɠ".
TEST(WindowsProfileFiles, TextThatWouldNotReadBackAsItWasIsRefusedAndTheFileIsKept) {
  if (!ProfilesInWindows1252()) GTEST_SKIP() << "the system's ANSI code page is " << ::GetACP();
  TempFolder folder;
  const std::string old_text = "Copia_01.Dat#Vecchia\r\n 1#A#C:\\A\\\r\n";
  folder.Write("Copia_01.Dat", old_text);
  EXPECT_EQ(SaveRefusal(StateIn(folder, "Copia_01.Dat", "Nuova", {{"Foto", "C:\\Фото\\漢字\\"}})),
            "Il nome della cartella contiene caratteri che il file della copia non può contenere: Фот漢字 !!!");  // each once
  EXPECT_EQ(store::FieldProblem(store::Field::LineDescription, "Ω e ω"),
            "La descrizione della riga contiene caratteri che il file della copia non può contenere: Ωω !!!");
  EXPECT_EQ(store::FieldProblem(store::Field::ProfileDescription, "àèìòù € “x” «y»"), std::nullopt);
  ProfileState state = StateIn(folder, "Copia_01.Dat", "Prova", {{"Uno", "C:\\Uno\\"}, {"PERCHÉ«", "C:\\Due\\"}});
  EXPECT_EQ(SaveRefusal(state),
            "Impossibile scrivere il file " + folder.path() + "Copia_01.Dat: la riga 2 contiene lettere "
            "accentate seguite da simboli (come «É«» o «À€») che alla rilettura diventerebbero altri "
            "caratteri. Il file non è stato modificato.");
  EXPECT_EQ(folder.Read("Copia_01.Dat"), old_text);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat");
  state.Des_Riga[2] = "PERCHÉ «sì» 100 €";
  EXPECT_EQ(SaveRefusal(state), "");
  EXPECT_EQ(LoadedFrom(folder, "Copia_01.Dat").Des_Riga[2], "PERCHÉ «sì» 100 €");
}

}  // namespace
