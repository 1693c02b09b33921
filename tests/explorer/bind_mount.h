#pragma once

#include <sys/mount.h>

#include <string>

namespace testing_support {

// Shows the folder from also at the folder at, a mount point on the same disk, for as long as
// it lives. mounted() is false where the system does not allow mounting: the test skips.
class BindMount {
 public:
  BindMount(const std::string& from, const std::string& at)
      : at_(at), mounted_(::mount(from.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) == 0) {}
  ~BindMount() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
  }
  BindMount(const BindMount&) = delete;
  BindMount& operator=(const BindMount&) = delete;

  bool mounted() const { return mounted_; }

 private:
  std::string at_;
  bool mounted_;
};

}  // namespace testing_support
