#include "store/profile_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "explorer/file_system_user.h"

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
  {
    const testing_support::FileSystemUser nobody(testing_support::kNobody);
    if (!nobody.active) GTEST_SKIP() << "only root can check files as the user nobody";
    for (const auto& [name, lines] : {std::pair{"Copia_01.Dat", 0}, std::pair{"Copia_02.Dat", 1}}) {
      ProfileState state = testing_support::LoadedFrom(folder, name);
      EXPECT_EQ(state.Num_Righe, lines) << name;
      state.Descriz_Copia = "Nuova descrizione";
      EXPECT_NE(SaveRefusal(state), "") << name;
    }
  }
  EXPECT_EQ(folder.Read("Copia_01.Dat"), unreadable);
  EXPECT_EQ(folder.Read("Copia_02.Dat"), unwritable);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat Copia_02.Dat");
}

}  // namespace
