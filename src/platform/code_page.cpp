#include "platform/code_page.h"

namespace platform::text {

ProfileCodePages ChooseProfileCodePages(std::uint32_t system_code_page, std::uint32_t longest_character_bytes) {
  constexpr std::uint32_t kWindows1252 = 1252, kUtf8 = 65001;
  const std::uint32_t eight_bit = longest_character_bytes == 1 ? system_code_page : kWindows1252;
  return {eight_bit, system_code_page == kUtf8 ? kUtf8 : eight_bit};
}

}  // namespace platform::text
