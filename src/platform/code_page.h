#pragma once

#include <string>
#include <string_view>

// The 8-bit code page of profile files, one implementation per system.
namespace platform::text {

// 8-bit text (not UTF-8) into UTF-8.
std::string EightBitToUtf8(std::string_view bytes);

}  // namespace platform::text
