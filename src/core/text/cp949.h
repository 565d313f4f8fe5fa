#pragma once
// The program's texts are written as UTF-8 in the sources; the log file and
// other narrow-text outputs are in the Korean code page (CP949).
#include <cstddef>
#include <string>
#include <string_view>

namespace vantrell {

// Converts UTF-8 text to CP949. Characters without a CP949 form, and bytes
// that are not valid UTF-8, become '?'; the conversion never fails.
std::string Utf8ToCp949(std::string_view utf8);

// Converts CP949 text to UTF-8 (for showing narrow text in windows).
std::string Cp949ToUtf8(std::string_view cp949);

// Cuts CP949 text to at most maxBytes bytes without splitting a
// double-byte character.
std::string TruncateCp949(std::string_view cp949, size_t maxBytes);

}  // namespace vantrell
