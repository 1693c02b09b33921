#pragma once

#include <stdexcept>
#include <string>

namespace archiver {

// One file, folder or entry could not be handled; the text is already worded for the user.
// The run names it and goes on with the next item.
class ItemError : public std::runtime_error {
 public:
  explicit ItemError(const std::string& text) : std::runtime_error(text) {}
};

// "what: <the system's reason in Italian>".
std::string SystemErrorText(const std::string& what, int error_number);

// Throws ItemError with SystemErrorText.
[[noreturn]] void ThrowSystemError(const std::string& what, int error_number);

}  // namespace archiver
