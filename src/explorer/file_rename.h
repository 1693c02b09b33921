#pragma once

#include <string>

namespace explorer {

// Renames the file old_name of folder to new_name in the same folder, never replacing an
// item that already has that name. 0, or the errno that says why not (EINVAL for a name that
// is not a plain name: empty, "." or "..", or holding a separator).
[[nodiscard]] int RenameInFolder(const std::string& folder, const std::string& old_name,
                                 const std::string& new_name);

}  // namespace explorer
