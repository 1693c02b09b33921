// Documents open through the shell, in their program's window maximised.
#include "platform/launcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "support/poll_until.h"
#include "support/temp_folder.h"

namespace {

// The visible top-level window whose caption holds text, or nullptr.
HWND WindowCaptioned(const std::wstring& text) {
  struct Search {
    const std::wstring& text;
    HWND found = nullptr;
  } search{text};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        wchar_t caption[512] = {};
        ::GetWindowTextW(window, caption, 512);
        if (::IsWindowVisible(window) && std::wstring_view(caption).find(s.text) != std::wstring_view::npos) {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A document type of the test's own, opened by Notepad, while it lives (in the classes root:
// Wine does not read per-user classes).
class NotepadDocumentType {
 public:
  NotepadDocumentType() {
    Set(L".faldoneprova", L"Faldone.Prova");
    Set(L"Faldone.Prova\\shell\\open\\command", L"notepad.exe \"%1\"");
  }
  ~NotepadDocumentType() {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".faldoneprova");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Faldone.Prova");
  }

 private:
  static void Set(const wchar_t* key, const std::wstring& value) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
};

TEST(Launcher, OpensADocumentInItsProgramMaximisedAndRefusesOneThatIsMissing) {
  testing_support::TempFolder folder;
  NotepadDocumentType type;
  // A name with a blank and an accent: handed over whole, as UTF-16.
  const std::wstring name = L"nota di prova \u00e8.faldoneprova";
  const std::filesystem::path document = std::filesystem::path(folder.path()) / name;
  std::ofstream(document) << "Faldone\n";
  const std::u8string utf8 = document.u8string();
  ASSERT_TRUE(platform::OpenDocument(std::string(utf8.begin(), utf8.end())));

  HWND window = nullptr;
  testing_support::PollUntil([&] { return (window = WindowCaptioned(L"nota di prova \u00e8")) != nullptr; });
  ASSERT_NE(window, nullptr) << "no window shows the document";
  EXPECT_TRUE(::IsZoomed(window));
  ::PostMessageW(window, WM_CLOSE, 0, 0);

  // A missing document is refused before the shell is asked, so no error box of the shell's.
  EXPECT_FALSE(platform::OpenDocument(folder.path() + "non esiste.txt"));
}

// A batch file started from the explorer runs in its own folder, not in the program's.
TEST(Launcher, AFileOpenedFromTheExplorerRunsInItsFolder) {
  testing_support::TempFolder folder;
  folder.Write("cartella di prova\\dove.bat", "@cd > \"%~dp0dove.txt\"\r\n");
  const std::string where = folder.path() + "cartella di prova";
  ASSERT_TRUE(platform::OpenFileIn(where + "\\dove.bat", where));
  testing_support::PollUntil([&] { return folder.Read("cartella di prova\\dove.txt").find('\n') != std::string::npos; });
  std::string written = folder.Read("cartella di prova\\dove.txt");
  while (!written.empty() && (written.back() == '\n' || written.back() == '\r')) written.pop_back();
  EXPECT_TRUE(platform::paths::SamePath(written, where)) << written;
  EXPECT_FALSE(platform::OpenFileIn(where + "\\non esiste.bat", where));
}

}  // namespace
