#include "store/numeric.h"

#include <cmath>
#include <limits>

namespace store {

double NumericValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  double value = 0;
  bool any = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    any = true;
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10) {
      value += (text[i] - '0') * scale;
      any = true;
    }
  }
  if (!any) return 0;
  return negative ? -value : value;
}

std::int16_t NumericValue16(std::string_view text) {
  // Rounding half to even, as the windows' integer conversion does.
  const double rounded = std::nearbyint(NumericValue(text));
  constexpr double lo = std::numeric_limits<std::int16_t>::min();
  constexpr double hi = std::numeric_limits<std::int16_t>::max();
  if (rounded < lo) return std::numeric_limits<std::int16_t>::min();
  if (rounded > hi) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(rounded);
}

}  // namespace store
