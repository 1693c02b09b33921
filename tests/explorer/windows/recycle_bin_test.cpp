// The shell's real recycle bin: under Wine the trash in $XDG_DATA_HOME, made temporary before main.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string_view>

#include "explorer/explorer_fixture.h"
#include "platform/trash.h"

namespace explorer {
namespace {

using platform::windows::Widen;

struct IsolatedRecycleBin {
  IsolatedRecycleBin() {
    // Wine's own call from a Windows path to the Linux one; absent on Windows itself.
    using UnixFileName = char*(__cdecl*)(const wchar_t*);
    const auto unix_file_name = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    // Without the closing separator, which Wine would double before "Trash".
    char* unix_path = unix_file_name ? unix_file_name(Widen(data.path().substr(0, data.path().size() - 1)).c_str())
                                     : nullptr;
    if (!unix_path) return;
    isolated = ::SetEnvironmentVariableW(L"XDG_DATA_HOME", Widen(unix_path).c_str()) != 0;
    ::HeapFree(::GetProcessHeap(), 0, unix_path);
  }

  testing_support::TempFolder data;  // on the test files' disk: the shell moves them by renaming
  bool isolated = false;
};

const IsolatedRecycleBin recycle_bin;  // before anything in the process reaches the bin

// Answers "No" to the shell's own questions ("#32770" dialogs) while it lives: no test waits.
class ShellQuestionsRefused {
 public:
  ShellQuestionsRefused() : timer_(::SetTimer(nullptr, 0, 100, &Look)) { refused_ = 0; }
  ~ShellQuestionsRefused() { ::KillTimer(nullptr, timer_); }
  int refused() const { return refused_; }

 private:
  static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND window, LPARAM) -> BOOL {
      wchar_t name[16] = {};
      ::GetClassNameW(window, name, 16);
      if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(window)) {
        ++refused_;
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
      }
      return TRUE;
    }, 0);
  }
  static inline int refused_ = 0;
  UINT_PTR timer_;
};

std::int64_t ItemsInRecycleBin() {
  SHQUERYRBINFO info{sizeof info, 0, 0};
  return FAILED(::SHQueryRecycleBinW(nullptr, &info)) ? -1 : info.i64NumItems;
}

// Wine empties only the files from its bin and says it is done: what stays must be reported.
TEST_F(ExplorerTest, DeleteMovesToTheRecycleBinAndEmptyingItReportsWhatStays) {
  if (!recycle_bin.isolated) GTEST_SKIP() << "only under Wine can the recycle bin be one of the test's own";
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
  ASSERT_EQ(recycle_bin.data.Read("Trash/files/perché.txt"), "p");

  Click("Città/Però");
  dialogs.Answer("S");
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_FALSE(folder.Exists("Città/Però"));
  ASSERT_EQ(recycle_bin.data.Read("Trash/files/Però/è.txt"), "e");
  ASSERT_EQ(ItemsInRecycleBin(), 2);
  EXPECT_TRUE(Messages().empty());

  const std::size_t question = dialogs.calls().size();
  dialogs.Answer("S");
  window->OnRecycleMenu();
  ASSERT_GT(dialogs.calls().size(), question);
  EXPECT_EQ(dialogs.calls()[question].text, "Eliminare definitivamente tutti gli elementi del cestino? (S/N)");
  EXPECT_FALSE(recycle_bin.data.Exists("Trash/files/perché.txt"));
  ASSERT_TRUE(recycle_bin.data.Exists("Trash/files/Però"));
  EXPECT_EQ(Messages(), Names{"Svuota cestino | critical | Impossibile svuotare \"il cestino\":\nresta "
                              "un elemento che il sistema non ha eliminato."});

  // An empty bin: nothing to do and nothing to say.
  for (const char* left : {"files\\Però", "info\\Però.trashinfo"})
    std::filesystem::remove_all(Widen(recycle_bin.data.path() + "Trash\\" + left));
  ASSERT_EQ(ItemsInRecycleBin(), 0);
  dialogs.Answer("S");
  window->OnRecycleMenu();
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(folder.Listing(), "Città");
  EXPECT_EQ(folder.Read("Città/resta.txt"), "r");
  EXPECT_EQ(shell_questions.refused(), 0);
}

// A "No" with a code beside it was a failure, and the shell's old codes read as system errors.
TEST(TrashOutcome, ANoIsDeclinedAndTheShellsOwnCodesAreNotSystemErrors) {
  using platform::trash::TrashResult;
  const std::tuple<bool, int, TrashResult, const char*> rows[] = {  // aborted?, code, result, error
      {false, 0, TrashResult::Trashed, ""}, {true, 0x10000, TrashResult::Declined, ""},
      {false, 0x75, TrashResult::Declined, ""}, {false, ERROR_CANCELLED, TrashResult::Declined, ""},
      {false, 0x78, TrashResult::Failed, "Accesso negato"},
      {false, ERROR_PATH_NOT_FOUND, TrashResult::Failed, "Percorso non trovato"}};
  for (const auto& [aborted, code, result, error] : rows) {
    const platform::trash::TrashAttempt attempt = platform::trash::TrashOutcome(aborted, code);
    EXPECT_EQ(attempt.result, result) << code;
    EXPECT_EQ(attempt.error, error) << code;
  }
}

}  // namespace
}  // namespace explorer
