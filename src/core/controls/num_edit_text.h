#pragma once
// The texts of the numeric editor: how a value is written in each mode and
// how a text is read back.
#include <cstdint>
#include <string>

namespace vantrell {

enum class NumEditMode { Decimal = 0, Hexadecimal = 1, Binary = 2, Octal = 3, Ascii = 4 };

// Characters the editor allows for a maximum: its digits in the mode's base,
// the "-" group marks of binary texts included; 1 in ASCII mode.
int NumEditMaxLength(NumEditMode mode, std::uint32_t maximum);

// Decimal and octal plain; hexadecimal upper-case and binary zero-padded to
// the maximum's digits, binary with "-" before each further group of 8
// digits counted from the right; ASCII the character, "." below 32.
std::u32string FormatNumEditValue(NumEditMode mode, std::uint32_t value, std::uint32_t maximum);

// The value of a text, read as far as its digits go (binary texts skip their
// group marks). Saturates instead of wrapping, so a too long number can never
// pass for a small one. ASCII: the first character's code, 0 when empty.
std::uint64_t ParseNumEditText(NumEditMode mode, const std::u32string& text);

// Whether the character is a digit of the mode (after upper-casing a to f).
bool IsNumEditDigit(NumEditMode mode, char32_t ch);

}  // namespace vantrell
