#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A failure whose text is written for the user, in Italian. Thrown by the file and process
// services, caught at the window boundary and shown in a message box.
class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

// The system's own description of an errno value, in the user's language where available.
std::string ErrnoText(int error_number);

}  // namespace platform
