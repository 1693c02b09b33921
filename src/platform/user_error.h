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

}  // namespace platform
