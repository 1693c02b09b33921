#include "platform/local_time.h"

namespace platform {

std::tm ToLocalTime(std::time_t when) {
  std::tm local{};
  ::localtime_r(&when, &local);
  return local;
}

}  // namespace platform
