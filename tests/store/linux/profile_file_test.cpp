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
#include "store/profile_test_helpers.h"
#include "support/temp_folder.h"

namespace {

using store::ProfileState;
using testing_support::SaveRefusal;
using testing_support::StateIn;
using testing_support::TempFolder;

// File names on Linux are bytes: one that is not UTF-8 is no sign of a file of the Windows
// program, since the header starts with the name.
TEST(ProfileFileLoading, ALatin1FileNameDoesNotMakeAUtf8FileReadAs8BitText) {
  TempFolder folder;
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
