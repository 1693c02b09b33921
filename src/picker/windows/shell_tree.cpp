#include "picker/shell_tree.h"

// The toolkit's headers first: they include the system's in the order it needs.
#include "picker/system_tree_view.h"
#include "platform/windows/wide.h"

#include <shlobj.h>

namespace picker::shell_tree {

const char* const kStartFolder = "C:\\";
const char* const kTreeClass = "SysTreeView32";

namespace {

using platform::windows::Narrow;
using platform::windows::Widen;

// The dialog's size while it runs out of sight, in pixels.
constexpr int kDialogSize = 480;

// Module state: one picker at a time.
System_TreeView_Rete* PicHost = nullptr;  // the window whose PicBrowse receives the tree
std::wstring BrowsePath;                  // the path handed to the dialog for selection
HWND hBrowseDlg = nullptr;
HWND hTreeView = nullptr;
WNDPROC OldDlgProc = nullptr;
std::wstring TreeClass;  // the class of the child taken as the tree
bool tree_taken = false;
bool ended_early = false;  // the dialog ended while its tree was still in PicBrowse

// Posted to the dialog when it has become the active window: the picker takes it back.
constexpr UINT kHandBackKeyboard = WM_APP + 0x46;

// Stands in front of the dialog's own procedure for the dialog's whole life. Whatever would
// show the dialog (the dialog manager after its start, a move) leaves it hidden, so it never
// gets a taskbar button, and the picker takes back the keyboard the dialog manager gives it,
// so that no Enter or Esc reaches it. A dialog that ends while its tree is borrowed takes the
// tree back first, to be destroyed with it.
LRESULT CALLBACK DlgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC own = OldDlgProc;
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    ::PostMessageW(hwnd, kHandBackKeyboard, 0, 0);
  } else if (msg == kHandBackKeyboard) {
    if (PicHost) ::SetActiveWindow(static_cast<HWND>(PicHost->GetHWND()));
    return 0;
  } else if (msg == WM_WINDOWPOSCHANGING) {
    // Neither shown nor made the active window, which would take the keyboard from the picker.
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    position->flags = (position->flags & ~static_cast<UINT>(SWP_SHOWWINDOW)) | SWP_NOACTIVATE;
  } else if (msg == WM_DESTROY && tree_taken) {
    tree_taken = false;
    ended_early = true;
    ::SetParent(hTreeView, hwnd);
  } else if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
  }
  return ::CallWindowProcW(own, hwnd, msg, wParam, lParam);
}

void KeepHidden(HWND dialog) {
  OldDlgProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DlgWndProc)));
  ::ShowWindow(dialog, SW_HIDE);
}

// The last direct child of the dialog whose class name begins with TreeClass, or nullptr.
HWND FindTree(HWND dialog) {
  HWND found = nullptr;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, static_cast<int>(std::size(name)));
    if (std::wstring_view(name).starts_with(TreeClass)) found = child;
  }
  return found;
}

HWND HostHandle() { return static_cast<HWND>(PicHost->PicBrowse->GetHWND()); }

void TakeTreeView() {
  ::SetParent(hTreeView, HostHandle());
  tree_taken = true;
  SizeTreeView(PicHost->PicBrowse->GetClientSize());
}

void PublishSelection(LPARAM item) {
  wchar_t buffer[MAX_PATH] = {};
  // A selection without a file-system path (a virtual folder) leaves the buffer empty.
  ::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(item), buffer);
  if (!PicHost) return;
  PicHost->BrowsePath = Narrow(buffer);
  PicHost->PathChange();
}

void SendSelection(const std::wstring& path) {
  BrowsePath = path;
  ::SendMessageW(hBrowseDlg, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(BrowsePath.c_str()));
}

int CALLBACK BrowseCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM) {
  hBrowseDlg = hwnd;
  if (uMsg == BFFM_INITIALIZED) {
    KeepHidden(hwnd);
    // Also left of every screen, whatever the monitors' layout.
    const int far_left = ::GetSystemMetrics(SM_XVIRTUALSCREEN) - ::GetSystemMetrics(SM_CXVIRTUALSCREEN) -
                         2 * kDialogSize;
    ::MoveWindow(hwnd, far_left, 0, kDialogSize, kDialogSize, TRUE);
    SendSelection(BrowsePath);
    hTreeView = FindTree(hwnd);
    if (hTreeView && PicHost) {
      TakeTreeView();
    } else {
      // Nothing to borrow: the dialog ends unseen and the picker shows a tree of its own.
      ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  } else if (uMsg == BFFM_SELCHANGED) {
    PublishSelection(lParam);
  }
  return 0;
}

}  // namespace

Browse BrowseForFolder(System_TreeView_Rete& host, const std::string& start, const char* tree_class) {
  PicHost = &host;
  TreeClass = Widen(tree_class);
  BrowsePath = Widen(start);
  tree_taken = false;
  ended_early = false;
  hTreeView = nullptr;

  BROWSEINFOW info = {};
  info.hwndOwner = ::GetDesktopWindow();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  if (PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info)) ::CoTaskMemFree(item);

  // The host may be gone by now (its close ended the dialog): only its absence is recorded.
  const Browse outcome = !hTreeView ? Browse::NoTree : ended_early ? Browse::EndedEarly : Browse::Ended;
  PicHost = nullptr;
  tree_taken = false;
  return outcome;
}

bool HoldsTree() { return tree_taken; }

void SizeTreeView(const wxSize& inner) {
  if (tree_taken) ::MoveWindow(hTreeView, 0, 0, inner.x, inner.y, TRUE);
}

void SetBrowsePath(const std::string& path) {
  if (tree_taken) SendSelection(Widen(path));
}

void ReturnTreeView() {
  if (!tree_taken) return;
  tree_taken = false;
  ::SetParent(hTreeView, hBrowseDlg);
  // As if cancelled: the dialog's own result is never used.
  ::SendMessageW(hBrowseDlg, WM_CLOSE, 0, 0);
  ::DestroyWindow(hBrowseDlg);
}

}  // namespace picker::shell_tree
