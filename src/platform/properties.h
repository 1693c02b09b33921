#pragma once

#include <string>

// The properties of a file or folder: the desktop's file manager shows them when one answers
// on the session bus (org.freedesktop.FileManager1); otherwise our own small window does.
namespace platform::properties {

struct ItemProperties {
  std::string name;
  std::string kind;
  std::string location;     // the folder holding it
  std::string size;         // empty for a folder: its total is counted by the window
  std::string modified;     // dd/mm/yyyy hh:mm:ss, local time
  std::string permissions;  // "rwxr-xr-x (755)"
  std::string owner;        // "anna, gruppo anna"
  bool is_folder = false;
};

// What our own window shows at once; every field says so when it cannot be read.
ItemProperties Gather(const std::string& path);

// "12.345.678 byte": whole bytes with the Italian thousands separator.
std::string ByteCount(unsigned long long bytes);

// Returns at once. The file manager's window appears when it answers; when none does, our
// own window, which counts a folder's total in the background, showing the count as it
// grows, until the count ends or the user presses "Annulla".
void ShowItemProperties(const std::string& path);

}  // namespace platform::properties
