// Starts the built program itself on the test display and checks that its main window appears.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/poll_until.h"
#include "support/temp_folder.h"

namespace {

TEST(ProgramSmoke, MainWindowAppearsWithItsCaption) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  // A copy in an empty folder: that folder is its data folder, so nothing of the build is touched.
  testing_support::TempFolder folder;
  const std::string program = folder.path() + "faldone";
  std::filesystem::copy_file(FALDONE_PROGRAM_DIR "/faldone", program);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }

  const std::string look_for_caption =
      "xwininfo -root -tree 2>/dev/null | grep -qF 'Gestione personalizzata salvataggi archivi e documenti - PAG.1'";
  bool ended = false;
  const bool seen = testing_support::PollUntil([&] {
    ended = ::waitpid(child, nullptr, WNOHANG) == child;
    return ended || std::system(look_for_caption.c_str()) == 0;
  }, std::chrono::seconds(30), std::chrono::milliseconds(200));
  if (!ended) ::kill(child, SIGTERM), ::waitpid(child, nullptr, 0);
  EXPECT_FALSE(ended) << "the program ended early";
  EXPECT_TRUE(seen);
  // In an empty folder the program says it found no profile; it never writes one by itself.
  EXPECT_EQ(folder.Listing(), "faldone");
}

}  // namespace
