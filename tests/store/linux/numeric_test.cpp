#include "store/numeric.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Each text ends where readable memory ends: a read past its end stops the test.
TEST(NumericValues, ReadNothingPastTheEndOfTheText) {
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  void* pages = ::mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  char* const end = static_cast<char*>(pages) + page;
  ASSERT_EQ(::mprotect(end, page, PROT_NONE), 0);
  const std::pair<std::string_view, double> values[] = {{" ", 0}, {"-", 0}, {"12", 12}, {"1.", 1}, {"1.5", 1.5}};
  for (const auto& [text, value] : values) {
    std::copy(text.begin(), text.end(), end - text.size());
    EXPECT_DOUBLE_EQ(store::NumericValue({end - text.size(), text.size()}), value) << text;
  }
  ::munmap(pages, 2 * page);
}

}  // namespace
