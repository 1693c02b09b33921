// The explorer's delete and "Empty RecycleBin" through the shell's real recycle bin. Under Wine
// that bin is the freedesktop trash in $XDG_DATA_HOME of the process, read once at its first
// use: pointed at a temporary folder before main, it is never the user's. On Windows itself the
// bin cannot be set aside, so the test does not run there.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "explorer/explorer_fixture.h"
#include "explorer/menu_ids.h"
#include "platform/trash.h"
#include "platform/windows/wide.h"

namespace explorer {
namespace {

using Names = std::vector<std::string>;
using platform::windows::Widen;

// Wine's own call from a Windows path to the Linux one; absent on Windows itself.
using UnixFileName = char*(__cdecl*)(const wchar_t*);

class IsolatedRecycleBin {
 public:
  IsolatedRecycleBin() {
    const auto unix_file_name = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unix_file_name) return;
    // Without the closing separator, which Wine would double before "Trash".
    const std::string folder = data_.path().substr(0, data_.path().size() - 1);
    char* unix_path = unix_file_name(Widen(folder).c_str());
    if (!unix_path) return;
    isolated_ = ::SetEnvironmentVariableW(L"XDG_DATA_HOME", Widen(unix_path).c_str()) != 0;
    ::HeapFree(::GetProcessHeap(), 0, unix_path);
  }

  bool isolated() const { return isolated_; }
  std::string Trash(const std::string& name) const { return data_.Read("Trash/" + name); }
  bool InTrash(const std::string& name) const { return data_.Exists("Trash/" + name); }
  void Remove(const std::string& name) const {
    std::filesystem::remove_all(Widen(data_.path() + "Trash\\" + name));
  }

 private:
  // In the same temporary folder as the test's files: the shell moves them there by renaming.
  testing_support::TempFolder data_;
  bool isolated_ = false;
};

// Before main, and so before anything in the process reaches the recycle bin.
const IsolatedRecycleBin recycle_bin;

// While it lives, answers "No" to every question the shell asks on its own, so that a test
// fails instead of waiting for a click: Wine asks before deleting for good an item its recycle
// bin did not take. The shell's questions are system dialogs of class "#32770", whose modal
// loop still delivers the thread's timers.
class ShellQuestionsRefused {
 public:
  ShellQuestionsRefused() : timer_(::SetTimer(nullptr, 0, 100, &Look)) { refused_ = 0; }
  ~ShellQuestionsRefused() { ::KillTimer(nullptr, timer_); }
  ShellQuestionsRefused(const ShellQuestionsRefused&) = delete;
  ShellQuestionsRefused& operator=(const ShellQuestionsRefused&) = delete;

  int refused() const { return refused_; }

 private:
  static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &Refuse, 0);
  }
  static BOOL CALLBACK Refuse(HWND window, LPARAM) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(window)) {
      ++refused_;
      ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    }
    return TRUE;
  }

  static inline int refused_ = 0;
  UINT_PTR timer_;
};

std::int64_t ItemsInRecycleBin() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(::SHQueryRecycleBinW(nullptr, &info))) return -1;
  return info.i64NumItems;
}

// A file and a folder with accented names reach the recycle bin whole and leave the list and
// the tree; emptying the bin removes what it can, and what the shell leaves behind is reported
// instead of passing for done (Wine deletes only files from it).
TEST_F(ExplorerTest, DeleteMovesToTheRecycleBinAndEmptyingItReportsWhatStays) {
  if (!recycle_bin.isolated())
    GTEST_SKIP() << "only under Wine can the recycle bin be one of the test's own";
  ASSERT_EQ(ItemsInRecycleBin(), 0) << "the recycle bin is not the test's own";
  const ShellQuestionsRefused shell_questions;
  folder.Write("Città/perché.txt", "p");
  folder.Write("Città/resta.txt", "r");
  folder.Write("Città/Però/è.txt", "e");
  Open();
  Click("Città");
  SelectFile("perché.txt");
  dialogs.Answer("S");
  window->OnFileMenu(kDeleteFileItem);
  EXPECT_EQ(ListedNames(), Names{"resta.txt"});
  EXPECT_FALSE(folder.Exists("Città/perché.txt"));
  ASSERT_EQ(recycle_bin.Trash("files/perché.txt"), "p");
  EXPECT_TRUE(recycle_bin.InTrash("info/perché.txt.trashinfo"));

  Click("Città/Però");
  dialogs.Answer("S");
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_FALSE(folder.Exists("Città/Però"));
  EXPECT_FALSE(Node("Città/Però").IsOk());
  EXPECT_EQ(window->CurrentFolder(), Key("Città"));
  ASSERT_EQ(recycle_bin.Trash("files/Però/è.txt"), "e");
  ASSERT_EQ(ItemsInRecycleBin(), 2);
  EXPECT_TRUE(Messages().empty());

  const std::size_t question = dialogs.calls().size();
  dialogs.Answer("S");
  window->OnRecycleMenu();
  ASSERT_GT(dialogs.calls().size(), question);
  EXPECT_EQ(dialogs.calls()[question].text,
            "Eliminare definitivamente tutti gli elementi del cestino? (S/N)");
  EXPECT_FALSE(recycle_bin.InTrash("files/perché.txt"));
  const bool folder_stays = recycle_bin.InTrash("files/Però");
  EXPECT_EQ(Messages(), folder_stays ? Names{"Svuota cestino | critical | Impossibile svuotare "
                                             "\"il cestino\":\nresta un elemento che il sistema "
                                             "non ha eliminato."}
                                     : Names{});

  // An empty bin: nothing to do and nothing to say.
  recycle_bin.Remove("files/Però");
  recycle_bin.Remove("info/Però.trashinfo");
  ASSERT_EQ(ItemsInRecycleBin(), 0);
  const std::size_t messages = Messages().size();
  dialogs.Answer("S");
  window->OnRecycleMenu();
  EXPECT_EQ(Messages().size(), messages);
  EXPECT_EQ(folder.Listing(), "Città");
  EXPECT_EQ(folder.Read("Città/resta.txt"), "r");
  EXPECT_EQ(shell_questions.refused(), 0);
}

// The shell's answer to a delete into the recycle bin: a "No" is no failure, even with a code
// beside it, and the shell's own old codes are not read as the system errors they overlap.
TEST(TrashOutcome, ANoIsDeclinedAndTheShellsOwnCodesAreNotSystemErrors) {
  using platform::trash::TrashResult;
  const struct {
    bool aborted;
    int code;
    TrashResult result;
    const char* error;
  } rows[] = {{false, 0, TrashResult::Trashed, ""},
              {true, 0x10000, TrashResult::Declined, ""},
              {false, 0x75, TrashResult::Declined, ""},
              {false, ERROR_CANCELLED, TrashResult::Declined, ""},
              {false, 0x78, TrashResult::Failed, "Accesso negato"},
              {false, 0x79, TrashResult::Failed, "Percorso troppo lungo"},
              {false, 0x7C, TrashResult::Failed, "Percorso non valido"},
              {false, 0x87, TrashResult::Failed, "il supporto è di sola lettura (CD o DVD)"},
              {false, ERROR_PATH_NOT_FOUND, TrashResult::Failed, "Percorso non trovato"}};
  for (const auto& row : rows) {
    const platform::trash::TrashAttempt attempt = platform::trash::TrashOutcome(row.aborted, row.code);
    EXPECT_EQ(attempt.result, row.result) << row.code;
    EXPECT_EQ(attempt.error, row.error) << row.code;
  }
}

}  // namespace
}  // namespace explorer
