// The shell's hidden folder dialog lends its tree to PicBrowse; with none, the picker uses its own.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <string_view>

#include "picker/browsing.h"
#include "platform/windows/wide.h"
#include "support/temp_folder.h"

#include <windows.h>

namespace {

using picker::Browsing;
using picker::System_TreeView_Rete;
using testing_support::WaitFor;

HWND Handle(const wxWindow* window) { return static_cast<HWND>(window->GetHWND()); }

HWND BorrowedTree(const System_TreeView_Rete& picker) {
  return ::FindWindowExW(Handle(picker.PicBrowse), nullptr, L"SysTreeView32", nullptr);
}

// Whether a visible top-level window of this program besides the picker lies on a screen.
bool AnotherWindowOnScreen(const System_TreeView_Rete& picker) {
  std::pair<HWND, bool> search{Handle(&picker), false};
  ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
    auto& [own, found] = *reinterpret_cast<std::pair<HWND, bool>*>(data);
    RECT rect;
    found = found || (window != own && ::IsWindowVisible(window) && ::GetWindowRect(window, &rect) &&
                      ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL));
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The shell's folder dialog, shown or not: this program's one system dialog.
HWND FolderDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32770") *reinterpret_cast<HWND*>(data) = window;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Directly on C:: Wine's folder dialog does not reliably reach a new folder several levels down.
struct FolderOnDriveC {
  FolderOnDriveC() { std::filesystem::create_directories(platform::windows::Widen(path())); }
  ~FolderOnDriveC() {
    std::error_code ignored;
    std::filesystem::remove_all(platform::windows::Widen(path()), ignored);
  }
  std::string path() const { return "C:\\faldone-città-" + std::to_string(::GetCurrentProcessId()) + "\\"; }
};

TEST(ShellTreePicker, TheDialogsTreeWorksInsidePicBrowseAndGoesBackWhenThePickerCloses) {
  FolderOnDriveC folder;
  Browsing browsing;
  HWND tree = nullptr;
  std::string after_key;
  browsing.Run("C:\\", [&](System_TreeView_Rete& window) {
    tree = BorrowedTree(window);
    ASSERT_NE(tree, nullptr) << "no tree was taken into PicBrowse";
    EXPECT_EQ(::GetWindow(Handle(window.PicBrowse), GW_CHILD), tree);  // the only window inside
    EXPECT_EQ(::GetWindow(tree, GW_HWNDNEXT), nullptr);
    // The dialog is nowhere on a screen and stays hidden whatever shows it.
    EXPECT_FALSE(AnotherWindowOnScreen(window));
    const HWND dialog = FolderDialog();
    ASSERT_NE(dialog, nullptr);
    ::ShowWindow(dialog, SW_SHOWNORMAL);
    EXPECT_FALSE(::IsWindowVisible(dialog));
    EXPECT_EQ(::GetActiveWindow(), Handle(&window));  // the keyboard is the picker's
    browsing.Record(window);  // the start folder, a drive root: one separator only

    window.SetBrowsePath(folder.path());
    browsing.Record(window);

    // A real key in the tree: Left goes up to the parent folder.
    ASSERT_TRUE(WaitFor([&] {
      ::SetForegroundWindow(Handle(&window));
      ::SetFocus(tree);
      return ::GetFocus() == tree;
    }, std::chrono::seconds(5)));
    const std::string before = browsing.state.Path_Scelto;
    testing_support::PressKey(WXK_LEFT, wxMOD_NONE, [&] { return browsing.state.Path_Scelto != before; });
    after_key = browsing.state.Path_Scelto;

    window.SetClientSize(wxSize(420, 380));
    testing_support::PumpEvents();
    RECT rect;
    ::GetWindowRect(tree, &rect);
    EXPECT_EQ(wxSize(rect.right - rect.left, rect.bottom - rect.top), window.PicBrowse->GetClientSize());
    window.Close();  // the close box
  });
  EXPECT_EQ(browsing.seen, (std::vector<std::string>{"C:\\ | C:\\", folder.path() + " | " + folder.path()}));
  EXPECT_EQ(after_key, "C:\\");
  EXPECT_FALSE(::IsWindow(tree));  // back to its dialog, and gone with it
}

// Enter or Esc in the dialog ended the browse with the tree still in PicBrowse and the picker open.
TEST(ShellTreePicker, ADialogThatEndsOnItsOwnTakesItsTreeAndNoFolderIsChosen) {
  for (const int button : {IDOK, IDCANCEL}) {
    Browsing browsing;
    browsing.state.Path_Scelto = "prima";
    HWND tree = nullptr;
    browsing.Run("C:\\", [&](System_TreeView_Rete& window) {
      tree = BorrowedTree(window);
      ASSERT_NE(tree, nullptr);
      ::PostMessageW(FolderDialog(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
    EXPECT_EQ(browsing.state.Path_Scelto, "") << button;
    EXPECT_FALSE(::IsWindow(tree)) << button;
  }
}

TEST(ShellTreePicker, WithNoTreeToBorrowThePickersOwnTreeTakesItsPlaceWithoutAWord) {
  testing_support::TempFolder folder;
  Browsing browsing;
  browsing.Run(folder.path(), [&](System_TreeView_Rete& window) {
    ASSERT_NE(window.tree, nullptr);
    EXPECT_EQ(BorrowedTree(window), nullptr);
    EXPECT_FALSE(AnotherWindowOnScreen(window));  // the dialog ended unseen
    browsing.Record(window);
    window.SetBrowsePath(folder.path() + "non\\esiste");  // the nearest folder above it
    browsing.Record(window);
    window.OnConfirm();
  }, "NessunAlbero");
  EXPECT_EQ(browsing.seen, (std::vector<std::string>{folder.path() + " | " + folder.path(),
                                                     folder.path() + " | " + folder.path()}));
}

}  // namespace
