#include "explorer/clipboard_marker.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace explorer {
namespace {

constexpr std::string_view kMarkerWord = "cartoscope";
constexpr char kSeparator = ';';
// Positions in a marker were 16-bit numbers: its separators lie within these characters.
constexpr std::size_t kLastSeparatorPosition = 32767;

bool IsNameInsideFolder(const std::string& name) {
  return name != "." && name != ".." && name.find(platform::paths::kSeparator) == std::string::npos;
}

}  // namespace

std::optional<std::string> MakeMarker(const std::string& folder, const std::string& name,
                                      MarkerOperation operation) {
  if (folder.find(kSeparator) != std::string::npos || name.find(kSeparator) != std::string::npos)
    return std::nullopt;
  return std::string(kMarkerWord) + kSeparator + folder + kSeparator + name + kSeparator +
         (operation == MarkerOperation::Copy ? "copy" : "cut");
}

std::optional<Marker> ParseMarker(const std::string& text) {
  const std::size_t folder_start = kMarkerWord.size() + 1;
  if (text.compare(0, kMarkerWord.size(), kMarkerWord) != 0 || text.size() < folder_start ||
      text[kMarkerWord.size()] != kSeparator)
    return std::nullopt;
  const std::size_t folder_end = text.find(kSeparator, folder_start);
  if (folder_end == std::string::npos) return std::nullopt;
  const std::size_t name_end = text.find(kSeparator, folder_end + 1);
  if (name_end == std::string::npos ||
      platform::text::CharCount(std::string_view(text).substr(0, name_end)) + 1 > kLastSeparatorPosition)
    return std::nullopt;
  Marker marker;
  marker.folder = text.substr(folder_start, folder_end - folder_start);
  marker.name = text.substr(folder_end + 1, name_end - folder_end - 1);
  marker.copy = text.substr(name_end + 1) == "copy";
  // Only a whole path from a drive's root: a relative one would land wherever the program runs.
  if (marker.folder.rfind(platform::paths::DriveRoot(marker.folder), 0) != 0) return std::nullopt;
  if (!marker.name.empty() && !IsNameInsideFolder(marker.name)) return std::nullopt;
  return marker;
}

std::string MarkedPath(const Marker& marker) {
  return marker.name.empty() ? marker.folder : platform::paths::Join(marker.folder, marker.name);
}

}  // namespace explorer
