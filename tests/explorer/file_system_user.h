#pragma once

#include <sys/fsuid.h>
#include <sys/types.h>

namespace testing_support {

// File permissions checked as another user on this thread while it lives: tests run as root.
class FileSystemUser {
 public:
  explicit FileSystemUser(uid_t uid)
      : previous_gid_(static_cast<gid_t>(::setfsgid(uid))),
        previous_uid_(static_cast<uid_t>(::setfsuid(uid))),
        active_(static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1))) == uid) {}
  ~FileSystemUser() {
    ::setfsuid(previous_uid_);
    ::setfsgid(previous_gid_);
  }
  FileSystemUser(const FileSystemUser&) = delete;
  FileSystemUser& operator=(const FileSystemUser&) = delete;

  bool active() const { return active_; }

 private:
  gid_t previous_gid_;
  uid_t previous_uid_;
  bool active_;
};

inline constexpr uid_t kNobody = 65534;

}  // namespace testing_support
