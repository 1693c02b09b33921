#include "picker/shell_tree.h"

// The toolkit's headers first: they include the system's in the order it needs.
#include "picker/system_tree_view.h"
#include "platform/windows/wide_text.h"

#include <commctrl.h>
#include <shlobj.h>

namespace picker::shell_tree {

const char* const kStartFolder = "C:\\";
const char* const kTreeClass = "SysTreeView32";

namespace {

using platform::wide_text::Narrow;
using platform::wide_text::Widen;

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

// Stands in front of the dialog's own procedure until the dialog's first move after it has
// started: that move is the dialog manager placing it, and from then on it stays hidden.
LRESULT CALLBACK DlgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC own = OldDlgProc;
  if (msg == WM_MOVE) {
    ::ShowWindow(hBrowseDlg, SW_HIDE);
    ::SetWindowLongPtrW(hBrowseDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
  }
  return ::CallWindowProcW(own, hwnd, msg, wParam, lParam);
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
  OldDlgProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hBrowseDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DlgWndProc)));
}

void PublishSelection(LPARAM item) {
  wchar_t buffer[MAX_PATH] = {};
  // A selection without a file-system path (a virtual folder) leaves the buffer empty.
  ::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(item), buffer);
  if (!PicHost) return;
  PicHost->BrowsePath = Narrow(buffer);
  PicHost->PathChange();
}

int CALLBACK BrowseCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM) {
  hBrowseDlg = hwnd;
  if (uMsg == BFFM_INITIALIZED) {
    // Out of sight: left of every screen, whatever the monitors' layout.
    const int far_left = ::GetSystemMetrics(SM_XVIRTUALSCREEN) - ::GetSystemMetrics(SM_CXVIRTUALSCREEN) -
                         2 * kDialogSize;
    ::MoveWindow(hwnd, far_left, 0, kDialogSize, kDialogSize, TRUE);
    ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(BrowsePath.c_str()));
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

void SendSelection(const std::wstring& path) {
  BrowsePath = path;
  ::SendMessageW(hBrowseDlg, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(BrowsePath.c_str()));
}

// Equal as the file system compares them (case aside), closing separators aside.
bool SameFolder(std::wstring_view a, std::wstring_view b) {
  while (a.size() > 3 && a.ends_with(L'\\')) a.remove_suffix(1);
  while (b.size() > 3 && b.ends_with(L'\\')) b.remove_suffix(1);
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// Selects one folder. A tree that listed the folder's parent before the folder was made (or
// before the file system showed it) does not find it: the parent, where the selection stopped,
// is listed afresh and the folder sought once more.
void SelectInDialog(const std::wstring& path) {
  SendSelection(path);
  for (int attempt = 0; attempt < 3 && PicHost && !SameFolder(Widen(PicHost->BrowsePath), path); ++attempt) {
    HTREEITEM reached = TreeView_GetSelection(hTreeView);
    if (!reached) return;
    // Listed afresh, and marked as holding folders: a folder that had none when it was
    // listed is marked empty and is otherwise never opened again.
    TreeView_Expand(hTreeView, reached, TVE_COLLAPSE | TVE_COLLAPSERESET);
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = reached;
    item.cChildren = 1;
    TreeView_SetItem(hTreeView, &item);
    // What the shell posted meanwhile (its listing of the folder may arrive that way) first.
    for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    SendSelection(path);
  }
}

}  // namespace

bool BrowseForFolder(System_TreeView_Rete& host, const std::string& start, const char* tree_class) {
  PicHost = &host;
  TreeClass = Widen(tree_class);
  BrowsePath = Widen(start);
  tree_taken = false;
  hTreeView = nullptr;

  BROWSEINFOW info = {};
  info.hwndOwner = ::GetDesktopWindow();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  if (PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info)) ::CoTaskMemFree(item);

  // The host may be gone by now (its close ended the dialog): only its absence is recorded.
  const bool borrowed = hTreeView != nullptr;
  PicHost = nullptr;
  tree_taken = false;
  return borrowed;
}

bool HoldsTree() { return tree_taken; }

void SizeTreeView(const wxSize& inner) {
  if (tree_taken) ::MoveWindow(hTreeView, 0, 0, inner.x, inner.y, TRUE);
}

void SetBrowsePath(const std::string& path) {
  if (!tree_taken) return;
  // Down one folder at a time: a shell may find a folder only below items it has already opened.
  const std::wstring whole = Widen(path);
  for (std::size_t end = whole.find(L'\\'); end != std::wstring::npos; end = whole.find(L'\\', end + 1))
    SelectInDialog(whole.substr(0, end + 1));
  if (!whole.ends_with(L'\\')) SelectInDialog(whole);
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
