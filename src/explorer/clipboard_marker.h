#pragma once

#include <optional>
#include <string>

// The text that cut and copy put on the clipboard and paste reads back:
// "cartoscope;FOLDER;NAME;cut" for a file, "cartoscope;FOLDER;;copy" for a folder. It has no
// escaping, so a path holding ";" cannot travel in it.
namespace explorer {

enum class MarkerOperation { Cut, Copy };

struct Marker {
  std::string folder;
  std::string name;  // empty when the marked item is the folder itself
  bool copy = false;  // anything but "copy" moves
};

// Nothing when the folder or the name holds ";": that marker would name another item.
std::optional<std::string> MakeMarker(const std::string& folder, const std::string& name,
                                      MarkerOperation operation);

// The item a clipboard text marks. Nothing unless it is a whole marker (the word, its three
// separators within the first 32767 characters) naming an absolute folder and, for a file, a
// plain name inside it.
std::optional<Marker> ParseMarker(const std::string& text);

// The marked item's path: the folder, or the file inside it.
std::string MarkedPath(const Marker& marker);

}  // namespace explorer
