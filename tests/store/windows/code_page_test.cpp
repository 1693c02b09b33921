#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "store/profile_file.h"
#include "store/profile_test_helpers.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::SaveRefusal;
using testing_support::StateIn;
using testing_support::TempFolder;

// Profiles are Windows-1252 on an Italian system, and on a Japanese one (double-byte, 932),
// where the page would join "à" and the "\" after it into one character: CTest runs these
// cases on both.
bool ProfilesInWindows1252() { return ::GetACP() == 1252 || ::GetACP() == 932; }

// The Japanese run is worth something only if Wine did take the locale's code page.
TEST(WindowsProfileFiles, RunsInTheCodePageAskedFor) {
  const char* wanted = std::getenv("FALDONE_CODE_PAGE");
  if (!wanted) GTEST_SKIP() << "no code page asked for";
  EXPECT_EQ(::GetACP(), std::stoul(wanted));
}

// Profiles on Windows are 8-bit text, byte for byte as the earlier program wrote them: a UTF-8
// file showed "Ã " for "à" there.
TEST(WindowsProfileFiles, AccentsAreWrittenInTheAnsiCodePageByteForByteAndReadBack) {
  if (!ProfilesInWindows1252()) GTEST_SKIP() << "the system's ANSI code page is " << ::GetACP();
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "àèìòù €";
  state.Max_Num_Riga = 1;
  state.Des_Riga[1] = "Contabilità";
  state.Path_Riga[1] = "C:\\Documenti\\Città\\";
  store::SALVA_COPIA(state);
  EXPECT_EQ(folder.Read("Copia_01.Dat"),
            "Copia_01.Dat#\xE0\xE8\xEC\xF2\xF9 \x80\r\n 1#Contabilit\xE0#C:\\Documenti\\Citt\xE0\\\r\n");

  ProfileState loaded = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(loaded);
  EXPECT_EQ(store::FormatProfile(loaded), store::FormatProfile(state));
}

// A profile made by the Linux build and carried over is UTF-8: read as 8-bit text its "à"
// became "Ã ".
TEST(WindowsProfileFiles, AUtf8FileFromLinuxIsReadAsUtf8) {
  TempFolder folder;
  folder.Write("Copia_02.Dat", "Copia_02.Dat#Perché così\r\n 1#Attività#C:\\Città\\\r\n");
  ProfileState state = StateIn(folder, "Copia_02.Dat");
  store::LEGGI_COPIA(state);
  EXPECT_EQ(state.Descriz_Copia, "Perché così");
  EXPECT_EQ(state.Des_Riga[1], "Attività");
  EXPECT_EQ(state.Path_Riga[1], "C:\\Città\\");
}

// Characters the code page cannot hold were written as "?": the folder line then named
// another folder, and the description lost its text for good.
TEST(WindowsProfileFiles, CharactersTheCodePageCannotHoldAreRefusedAndTheFileIsKept) {
  if (!ProfilesInWindows1252()) GTEST_SKIP() << "the system's ANSI code page is " << ::GetACP();
  TempFolder folder;
  const std::string old_text = "Copia_01.Dat#Vecchia\r\n 1#A#C:\\A\\\r\n";
  folder.Write("Copia_01.Dat", old_text);
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "Nuova";
  state.Max_Num_Riga = 1;
  state.Des_Riga[1] = "Foto";
  state.Path_Riga[1] = "C:\\Фото\\漢字\\";
  EXPECT_EQ(SaveRefusal(state),
            "Il nome della cartella contiene caratteri che il file della copia non può contenere: Фот漢字 !!!");  // each once
  EXPECT_EQ(store::FieldProblem(store::Field::LineDescription, "Ω e ω"),
            "La descrizione della riga contiene caratteri che il file della copia non può contenere: Ωω !!!");
  EXPECT_EQ(store::FieldProblem(store::Field::ProfileDescription, "àèìòù € “x” «y»"), std::nullopt);
  EXPECT_EQ(folder.Read("Copia_01.Dat"), old_text);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat");
}

// "É«" in Windows-1252 is the UTF-8 of "ɠ": the file loaded as UTF-8 and the folder line
// named another folder.
TEST(WindowsProfileFiles, TextThatWouldReadBackAsOtherCharactersIsRefused) {
  if (!ProfilesInWindows1252()) GTEST_SKIP() << "the system's ANSI code page is " << ::GetACP();
  TempFolder folder;
  ProfileState state = StateIn(folder, "Copia_01.Dat");
  state.Descriz_Copia = "Prova";
  state.Max_Num_Riga = 2;
  state.Des_Riga[1] = "Uno";
  state.Path_Riga[1] = "C:\\Uno\\";
  state.Des_Riga[2] = "PERCHÉ«";
  state.Path_Riga[2] = "C:\\Due\\";
  EXPECT_EQ(SaveRefusal(state),
            "Impossibile scrivere il file " + folder.path() + "Copia_01.Dat: la riga 2 contiene lettere "
            "accentate seguite da simboli (come «É«» o «À€») che alla rilettura diventerebbero altri "
            "caratteri. Il file non è stato modificato.");
  EXPECT_FALSE(folder.Exists("Copia_01.Dat"));
  state.Des_Riga[2] = "PERCHÉ «sì» 100 €";
  EXPECT_EQ(SaveRefusal(state), "");
  ProfileState loaded = StateIn(folder, "Copia_01.Dat");
  store::LEGGI_COPIA(loaded);
  EXPECT_EQ(loaded.Des_Riga[2], "PERCHÉ «sì» 100 €");
}

}  // namespace
