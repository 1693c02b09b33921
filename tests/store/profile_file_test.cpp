#include "store/profile_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

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

// Writes text as profile 01 and loads it over state, as the editor does.
ProfileState Loaded(const TempFolder& folder, const std::string& text, ProfileState state = {}) {
  folder.Write("Copia_01.Dat", text);
  state.Path_Dati = folder.path();
  state.Nome_Copia = "Copia_01.Dat";
  store::LEGGI_COPIA(state);
  return state;
}

// The message a refused save gives, empty when it was written.
std::string SaveRefusal(const ProfileState& state) {
  try {
    store::SALVA_COPIA(state);
  } catch (const platform::UserError& e) {
    return e.what();
  }
  return {};
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
  EXPECT_EQ(store::FormatProfile(loaded), folder.Read("Copia_03.Dat"));  // only the first "#" separates
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

  // A file name in Latin-1 is no sign of an old file: the header starts with the name.
  ProfileState latin1 = StateIn(folder, "Copia_\xE8.Dat");
  latin1.Descriz_Copia = "Contabilità";
  latin1.Max_Num_Riga = 1;
  latin1.Des_Riga[1] = "Attività";
  latin1.Path_Riga[1] = "/città/";
  store::SALVA_COPIA(latin1);
  ProfileState loaded = StateIn(folder, "Copia_\xE8.Dat");
  store::LEGGI_COPIA(loaded);
  EXPECT_EQ(store::FormatProfile(loaded), store::FormatProfile(latin1));
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
  for (int i = 1; i <= 150; ++i) text += " " + std::to_string(i) + "#R" + std::to_string(i) + "#/r/\r\n";
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
  const std::string error = SaveRefusal(state);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, old_handler);

  EXPECT_NE(error.find(folder.path() + "Copia_01.Dat"), std::string::npos) << error;
  EXPECT_EQ(folder.Read("Copia_01.Dat"), old_text);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat");
}

// Runs action in a child process that has become the user nobody and returns its exit status;
// nullopt when this process may not change its user (only root may).
std::optional<int> AsNobody(const std::function<int()>& action) {
  if (::geteuid() != 0) return std::nullopt;
  constexpr int kCannotDrop = 99;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
      ::_exit(kCannotDrop);
    ::_exit(action());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) == kCannotDrop)
    return std::nullopt;
  return WEXITSTATUS(status);
}

// Saves go through a temporary file and a rename, which needs only the folder's permission:
// a profile the user could not read loaded empty and was replaced by its header alone, and one
// the user could not write was replaced all the same.
TEST(ProfileFileSaving, NeverReplacesAProfileTheUserCouldNotReadOrWrite) {
  TempFolder folder;
  ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);  // the folder itself lets anyone save
  const std::string unreadable = "Copia_01.Dat#Di root\r\n 1#A#/a/\r\n 2#B#/b/\r\n";
  const std::string unwritable = "Copia_02.Dat#Solo lettura\r\n 1#C#/c/\r\n";
  folder.Write("Copia_01.Dat", unreadable);
  folder.Write("Copia_02.Dat", unwritable);
  ASSERT_EQ(::chmod((folder.path() + "Copia_01.Dat").c_str(), 0600), 0);
  ASSERT_EQ(::chmod((folder.path() + "Copia_02.Dat").c_str(), 0644), 0);

  // Exit status 0: refused with a message; 1: written; 2: loaded something it could not read.
  auto confirm_as_nobody = [&folder](const std::string& name, int lines_expected) {
    return AsNobody([&folder, name, lines_expected] {
      ProfileState state = StateIn(folder, name);
      store::LEGGI_COPIA(state);
      if (state.Num_Righe != lines_expected) return 2;
      state.Descriz_Copia = "Nuova descrizione";
      return SaveRefusal(state).empty() ? 1 : 0;
    });
  };
  const std::optional<int> read_refused = confirm_as_nobody("Copia_01.Dat", 0);
  if (!read_refused) GTEST_SKIP() << "cannot run as the user nobody: only root can drop privileges";
  EXPECT_EQ(*read_refused, 0);
  EXPECT_EQ(confirm_as_nobody("Copia_02.Dat", 1), 0);

  EXPECT_EQ(folder.Read("Copia_01.Dat"), unreadable);
  EXPECT_EQ(folder.Read("Copia_02.Dat"), unwritable);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat Copia_02.Dat");
}

}  // namespace
