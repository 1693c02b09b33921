#pragma once

#include <cstdint>
#include <string_view>

namespace store {

// The value of the leading numeric part of text, as the windows read numbers typed or shown
// in a field: leading spaces skipped, an optional sign, digits with an optional decimal point;
// 0 when there is none.
double NumericValue(std::string_view text);

// NumericValue rounded to the nearest whole number and kept within the 16-bit range the line
// and profile numbers use (out-of-range values saturate rather than wrap).
std::int16_t NumericValue16(std::string_view text);

}  // namespace store
