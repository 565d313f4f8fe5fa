#include "core/controls/num_edit_text.h"

#include <algorithm>

namespace vantrell {
namespace {

constexpr std::uint64_t kSaturated = std::uint64_t{1} << 40;
constexpr char32_t kDigits[] = U"0123456789ABCDEF";

unsigned BaseOf(NumEditMode mode) {
  switch (mode) {
    case NumEditMode::Hexadecimal: return 16;
    case NumEditMode::Binary: return 2;
    case NumEditMode::Octal: return 8;
    default: return 10;
  }
}

int DigitCount(std::uint32_t value, unsigned base) {
  int count = 1;
  while (value >= base) {
    value /= base;
    ++count;
  }
  return count;
}

std::u32string Digits(std::uint32_t value, unsigned base, int minimumLength) {
  std::u32string text;
  do {
    text.insert(text.begin(), kDigits[value % base]);
    value /= base;
  } while (value != 0);
  if (static_cast<int>(text.size()) < minimumLength) text.insert(0, minimumLength - text.size(), U'0');
  return text;
}

std::u32string GroupBinary(const std::u32string& bits) {
  std::u32string text;
  for (size_t i = 0; i < bits.size(); ++i) {
    const size_t fromRight = bits.size() - i;
    if (i > 0 && fromRight % 8 == 0) text += U'-';
    text += bits[i];
  }
  return text;
}

int DigitValue(char32_t ch) {
  if (ch >= U'0' && ch <= U'9') return static_cast<int>(ch - U'0');
  if (ch >= U'A' && ch <= U'F') return static_cast<int>(ch - U'A') + 10;
  if (ch >= U'a' && ch <= U'f') return static_cast<int>(ch - U'a') + 10;
  return -1;
}

}  // namespace

int NumEditMaxLength(NumEditMode mode, std::uint32_t maximum) {
  if (mode == NumEditMode::Ascii) return 1;
  const int digits = DigitCount(maximum, BaseOf(mode));
  if (mode == NumEditMode::Binary) return digits + (digits - 1) / 8;
  return digits;
}

std::u32string FormatNumEditValue(NumEditMode mode, std::uint32_t value, std::uint32_t maximum) {
  switch (mode) {
    case NumEditMode::Hexadecimal: return Digits(value, 16, DigitCount(maximum, 16));
    case NumEditMode::Binary: return GroupBinary(Digits(value, 2, DigitCount(maximum, 2)));
    case NumEditMode::Octal: return Digits(value, 8, 1);
    case NumEditMode::Ascii: return std::u32string(1, value < 32 ? U'.' : static_cast<char32_t>(value));
    case NumEditMode::Decimal: break;
  }
  return Digits(value, 10, 1);
}

std::uint64_t ParseNumEditText(NumEditMode mode, const std::u32string& text) {
  if (mode == NumEditMode::Ascii) return text.empty() ? 0 : text.front();
  const unsigned base = BaseOf(mode);
  std::uint64_t value = 0;
  for (char32_t ch : text) {
    if (mode == NumEditMode::Binary && ch == U'-') continue;
    const int digit = DigitValue(ch);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    value = std::min(value * base + static_cast<unsigned>(digit), kSaturated);
  }
  return value;
}

bool IsNumEditDigit(NumEditMode mode, char32_t ch) {
  if (mode == NumEditMode::Ascii) return true;
  if (ch >= U'a' && ch <= U'f') ch = ch - U'a' + U'A';
  const int digit = DigitValue(ch);
  return digit >= 0 && static_cast<unsigned>(digit) < BaseOf(mode);
}

}  // namespace vantrell
