#include "picker/folder_choice.h"

#include "platform/paths.h"

namespace picker {

using platform::paths::kSeparator;

std::string WithClosingSeparator(const std::string& folder) {
  if (folder.empty() || folder.back() == kSeparator) return folder;
  return folder + kSeparator;
}

}  // namespace picker
