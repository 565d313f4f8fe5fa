#pragma once
// Cutting UTF-8 text to a number of characters without splitting one.
#include <cstddef>
#include <string>
#include <string_view>

namespace vantrell {

// The first maxCharacters characters of the text. A byte that does not start
// a character counts as one character of its own.
std::string CutToCharacters(std::string_view utf8, size_t maxCharacters);

}  // namespace vantrell
