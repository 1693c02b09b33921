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

// A file name in Latin-1 is no sign of a file of the Windows program: the header starts with it.
TEST(ProfileFileLoading, ALatin1FileNameDoesNotMakeAUtf8FileReadAs8BitText) {
  TempFolder folder;
  const ProfileState latin1 = StateIn(folder, "Copia_\xE8.Dat", "Contabilità", {{"Attività", "/città/"}});
  store::SALVA_COPIA(latin1);
  EXPECT_EQ(store::FormatProfile(testing_support::LoadedFrom(folder, "Copia_\xE8.Dat")), store::FormatProfile(latin1));
}

// A write failing halfway (a file-size limit, even for root) leaves the old file and no temporary.
TEST(ProfileFileSaving, FailedWriteLeavesTheOldFileAndNoTemporary) {
  TempFolder folder;
  const std::string old_text = "Copia_01.Dat#Vecchia\r\n 1#A#/a/\r\n";
  folder.Write("Copia_01.Dat", old_text);
  const ProfileState state = StateIn(folder, "Copia_01.Dat", "Nuova",
                                     testing_support::Lines(100, {"Riga", "/una/cartella/con/un/nome/piuttosto/lungo/"}));

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

// action's exit status in a child process become the user nobody; nullopt unless we are root.
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

// The rename needs only the folder's permission: a profile the user could not read or write was replaced.
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
      ProfileState state = testing_support::LoadedFrom(folder, name);
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
