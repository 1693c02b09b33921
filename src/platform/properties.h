#pragma once

#include <ctime>
#include <string>

// The properties of a file or folder: the system shows them when it can (on Linux the desktop's
// file manager when one answers on the session bus, on Windows the shell's properties sheet);
// otherwise our own small window does.
namespace platform::properties {

struct ItemProperties {
  std::string name;
  std::string kind;
  std::string location;     // the folder holding it
  std::string size;         // empty for a folder: its total is counted by the window
  std::string modified;     // dd/mm/yyyy hh:mm:ss, local time
  std::string permissions;  // "rwxr-xr-x (755)"; on Windows its attributes ("sola lettura")
  std::string owner;        // "anna, gruppo anna"; on Windows the account, "UFFICIO\\anna"
  bool is_folder = false;
};

// What our own window shows at once; every field says so when it cannot be read.
ItemProperties Gather(const std::string& path);

// dd/mm/yyyy hh:mm:ss, local time.
std::string LocalTimeText(std::time_t when);

// "12.345.678 byte": whole bytes with the Italian thousands separator.
std::string ByteCount(unsigned long long bytes);

// Our own window, shown without blocking; counts a folder's total in the background, showing
// the count as it grows, until the count ends or the user presses "Annulla".
void ShowOwnProperties(const std::string& path);

// Returns at once. The system's own properties window when it can show one (the file manager's
// appears when it answers on the bus), else ours.
void ShowItemProperties(const std::string& path);

}  // namespace platform::properties
