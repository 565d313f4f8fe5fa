#pragma once
// Numbers typed into edits, read the way the program has always read them.
#include <cstdint>
#include <string_view>

namespace vantrell {

// The text read as a decimal number: leading blanks skipped, an optional
// sign, then the digits up to the first other character; no digits give 0.
// A value beyond 32 bits saturates instead of wrapping.
std::int32_t DecimalTextValue(std::string_view text);

}  // namespace vantrell
