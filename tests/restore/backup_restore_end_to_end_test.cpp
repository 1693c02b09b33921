// A backup and two restores with the real archiver, on real files in temporary folders only.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/paths.h"
#include "restore/restore_window.h"
#include "support/main_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

// Path below the root ("/" between names) -> "folder", or a file's time in seconds and its bytes.
using Tree = std::map<std::string, std::string>;

long long Seconds(fs::file_time_type when) {
  return std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
}

Tree Snapshot(const std::string& root) {
  Tree tree;
  for (const auto& e : fs::recursive_directory_iterator(PathOf(root))) {
    std::ifstream in(e.path(), std::ios::binary);
    std::string& entry = tree[Utf8Of(fs::relative(e.path(), PathOf(root)).generic_u8string())];
    entry = e.is_directory() ? "folder" : std::to_string(Seconds(fs::last_write_time(e.path()))) + " " +
                                              std::string(std::istreambuf_iterator<char>(in), {});
  }
  return tree;
}

class BackupRestoreEndToEnd : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    const std::string archiver = platform::paths::Join(FALDONE_PROGRAM_DIR, "archivia" FALDONE_EXE_SUFFIX);
    if (!fs::exists(PathOf(archiver))) GTEST_SKIP() << "archivia" FALDONE_EXE_SUFFIX " not built";
    // Three folders: blanks and accents in names, an empty subfolder (big files are the archiver's tests').
    originals.Write("Documenti di casa/lettera all'avvocato.txt", "Gentile avvocato,\n");
    originals.Write("Documenti di casa/città è più/nota.txt", std::string(5000, 'n'));
    fs::create_directories(PathOf(originals.path() + "Documenti di casa") / "vuota");
    originals.Write("Foto à/a b c.jpg", "\xff\xd8\xff\xe0 foto");
    originals.Write("Posta/2024/Gennaio/messaggio.eml", "Oggetto: prova\n");
    // Odd seconds, an hour apart: times kept to the second show.
    auto when = fs::file_time_type(std::chrono::seconds(Seconds(fs::file_time_type::clock::now()) - 1000000));
    for (const auto& e : fs::recursive_directory_iterator(PathOf(originals.path())))
      if (e.is_regular_file()) fs::last_write_time(e.path(), when += std::chrono::seconds(3601));

    const std::string end = std::string(1, platform::paths::kSeparator) + "\r\n";
    data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n"
                               " 1#Documenti#" + originals.path() + "Documenti di casa" + end +
                               " 2#Foto#" + originals.path() + "Foto à" + end +
                               " 3#Posta#" + originals.path() + "Posta" + end);
    window->archiver = archiver;
    Choose("Copia_01.Dat");
  }

  // The restore command with the given answers, then the first run listed, to the end.
  void Restore(const std::string& first_answer, const std::string& second_answer) {
    dialogs.Clear();
    dialogs.Answer(first_answer);
    dialogs.Answer(second_answer);
    window->OnRestore();
    wxWeakRef<restore::RestoreWindow> form3(dynamic_cast<restore::RestoreWindow*>(
        wxWindow::FindWindowByName(restore::kRestoreWindowName, window)));
    ASSERT_TRUE(form3);
    ASSERT_EQ(form3->List1->GetCount(), 3u);
    PickInList(*form3, 1);
    form3->OnRestore();
    ASSERT_TRUE(WaitFor([&] { return !form3 || !form3->IsShown(); }));
    EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{"RIPRISTINO TERMINATO !!!"}));
    dialogs.Clear();  // the end message belongs to the restore window
  }

  TempFolder originals, elsewhere;
};

TEST_F(BackupRestoreEndToEnd, BackUpChangeThenRestoreElsewhereAndOverTheOriginals) {
  const Tree saved = Snapshot(originals.path());
  window->OnBackup();
  ASSERT_TRUE(WaitFor([&] { return !window->BackupInProgress(); }));
  EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{"COPIA TERMINATA !!!"}));
  const std::string day = TodayDDMM();
  EXPECT_EQ(data.Listing(), day + "_1_1.ZIP " + day + "_1_2.ZIP " + day + "_1_3.ZIP Copia_01.Dat");

  // Work goes on after the backup: a file changes, one goes, one is new.
  originals.Write("Documenti di casa/lettera all'avvocato.txt", "Testo cambiato");
  fs::remove(PathOf(originals.path() + "Documenti di casa/città è più/nota.txt"));
  originals.Write("Posta/nuovo.eml", "dopo la copia");

  // Elsewhere: the originals' whole paths reappear below the chosen folder, as they were saved.
  Restore("S", elsewhere.path());
  const std::string below =
      elsewhere.path() + originals.path().substr(platform::paths::DriveRoot(originals.path()).size());
  EXPECT_EQ(Snapshot(below), saved);

  // Over the originals: what was saved is back, byte for byte and with its times; what came
  // later stays.
  Restore("N", "S");
  Tree now = Snapshot(originals.path());
  ASSERT_EQ(now.erase("Posta/nuovo.eml"), 1u);
  EXPECT_EQ(now, saved);
}

}  // namespace
