#include "archiver/messages.h"

namespace archiver {

void Messages::Notice(const std::string& text) {
  std::lock_guard lock(mutex_);
  out_ << "archivia: " << text << '\n' << std::flush;
}

void Messages::Failure(const std::string& text) {
  std::lock_guard lock(mutex_);
  ++failures_;
  out_ << "archivia: " << text << '\n' << std::flush;
}

int Messages::failures() const {
  std::lock_guard lock(mutex_);
  return failures_;
}

}  // namespace archiver
