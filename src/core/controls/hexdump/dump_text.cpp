#include "core/controls/hexdump/dump_text.h"

#include <algorithm>

namespace vantrell {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendInBase(std::string& out, std::uint32_t value, unsigned base) {
  char digits[32];
  int count = 0;
  do {
    digits[count++] = kHexDigits[value % base];
    value /= base;
  } while (value != 0);
  while (count > 0) out += digits[--count];
}

void AppendBinary(std::string& out, std::uint32_t value, int byteCount) {
  for (int byte = byteCount - 1; byte >= 0; --byte) {
    for (int bit = 7; bit >= 0; --bit) out += ((value >> (8 * byte + bit)) & 1) != 0 ? '1' : '0';
    if (byte > 0) out += '-';
  }
}

}  // namespace

char32_t DumpCharacter(std::uint8_t byte, char unprintable) {
  if (byte < 32 && unprintable != 0) return static_cast<unsigned char>(unprintable);
  return byte;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    // The dump view only writes Latin-1 characters; wider ones are not
    // produced, but stay well-formed.
    out += static_cast<char>(0xE0 | ((ch >> 12) & 0x0F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

void AppendHexDigits(std::string& out, std::uint32_t value, int digits) {
  digits = std::clamp(digits, 1, 8);
  for (int i = digits - 1; i >= 0; --i) out += kHexDigits[(value >> (4 * i)) & 0xF];
}

void AppendDumpValue(std::string& out, DumpFormat format, std::uint32_t value, int byteCount, char unprintable) {
  byteCount = std::clamp(byteCount, 1, 4);
  switch (format) {
    case DumpFormat::Address: return AppendHexDigits(out, value, 8);
    case DumpFormat::Hexadecimal: return AppendHexDigits(out, value, 2 * byteCount);
    case DumpFormat::Decimal: return AppendInBase(out, value, 10);
    case DumpFormat::Binary: return AppendBinary(out, value, byteCount);
    case DumpFormat::Octal: return AppendInBase(out, value, 8);
    case DumpFormat::Ascii: return AppendUtf8(out, DumpCharacter(value & 0xFF, unprintable));
  }
}

std::string DumpValueText(DumpFormat format, std::uint32_t value, int byteCount, char unprintable) {
  std::string text;
  AppendDumpValue(text, format, value, byteCount, unprintable);
  return text;
}

std::string SpacedHexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::uint8_t byte : bytes) {
    AppendHexDigits(text, byte, 2);
    text += ' ';
  }
  return text;
}

const char* InfoFieldCaption(DumpFormat format) {
  switch (format) {
    case DumpFormat::Address: return "Addr:0x";
    case DumpFormat::Hexadecimal: return "Hex:";
    case DumpFormat::Decimal: return "Dec:";
    case DumpFormat::Binary: return "Bin:";
    case DumpFormat::Octal: return "Oct:";
    case DumpFormat::Ascii: return "Ascii:";
  }
  return "";
}

const char* ColumnCaption(DumpFormat format) {
  switch (format) {
    case DumpFormat::Address: return "Address";
    case DumpFormat::Hexadecimal: return "";
    case DumpFormat::Decimal: return "Dec";
    case DumpFormat::Binary: return "Bin";
    case DumpFormat::Octal: return "Oct";
    case DumpFormat::Ascii: return "Ascii";
  }
  return "";
}

}  // namespace vantrell
