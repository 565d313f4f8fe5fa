#include "core/text/decimal_text.h"

#include <limits>

namespace vantrell {

std::int32_t DecimalTextValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit + 1;  // saturated; keeps reading digits without overflow
  }
  if (negative) return static_cast<std::int32_t>(-value);  // down to the smallest 32-bit value
  return static_cast<std::int32_t>(value > kLimit ? kLimit : value);
}

}  // namespace vantrell
