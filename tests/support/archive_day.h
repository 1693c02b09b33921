#pragma once

#include <cstdio>
#include <ctime>
#include <string>

#include "platform/local_time.h"

namespace testing_support {

// Today's day and month as a backup run names its archives: "0503" on 5 March.
inline std::string TodayDDMM() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = platform::ToLocalTime(now);
  char ddmm[32];
  std::snprintf(ddmm, sizeof ddmm, "%02d%02d", local.tm_mday, local.tm_mon + 1);
  return ddmm;
}

}  // namespace testing_support
