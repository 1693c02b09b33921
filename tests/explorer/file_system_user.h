#pragma once

#include <sys/fsuid.h>
#include <sys/types.h>

namespace testing_support {

// File permissions checked as another user on this thread while it lives: tests run as root.
struct FileSystemUser {
  explicit FileSystemUser(uid_t uid)
      : previous_gid(static_cast<gid_t>(::setfsgid(uid))),
        previous_uid(static_cast<uid_t>(::setfsuid(uid))),
        active(static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1))) == uid) {}
  ~FileSystemUser() {
    ::setfsuid(previous_uid);
    ::setfsgid(previous_gid);
  }
  FileSystemUser(const FileSystemUser&) = delete;

  const gid_t previous_gid;
  const uid_t previous_uid;
  const bool active;  // false where this process may not switch, as when it is not root
};

inline constexpr uid_t kNobody = 65534;

}  // namespace testing_support
