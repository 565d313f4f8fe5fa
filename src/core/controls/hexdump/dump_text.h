#pragma once
// How the dump view writes a value in each of its formats. The texts are
// UTF-8; every format but ASCII gives plain ASCII digits.
#include <cstdint>
#include <string>
#include <vector>

#include "core/controls/hexdump/dump_style.h"

namespace vantrell {

// The character shown for a byte: below 32 the unprintable character when
// one is set (0: none), else the byte itself read as Latin-1.
char32_t DumpCharacter(std::uint8_t byte, char unprintable);

// Appends a value read from byteCount bytes (1 to 4): hexadecimal upper-case
// with 2 digits per byte; decimal and octal plain; binary 8 digits per byte,
// most significant first, "-" between bytes; ASCII the character of the low
// byte; address the value as 8 hexadecimal digits.
void AppendDumpValue(std::string& out, DumpFormat format, std::uint32_t value, int byteCount, char unprintable);
std::string DumpValueText(DumpFormat format, std::uint32_t value, int byteCount, char unprintable);

// digits upper-case hexadecimal digits, zero-padded (at least 1, at most 8).
void AppendHexDigits(std::string& out, std::uint32_t value, int digits);

void AppendUtf8(std::string& out, char32_t ch);

// Bytes as the read views copy a selection: "%02X " each, on one line.
std::string SpacedHexBytes(const std::vector<std::uint8_t>& bytes);

// "Addr:0x", "Hex:", "Dec:", "Bin:", "Oct:", "Ascii:".
const char* InfoFieldCaption(DumpFormat format);
// The header row's caption of a column ("Address", "Dec", ...); the
// hexadecimal column is captioned item by item with the offsets in the row.
const char* ColumnCaption(DumpFormat format);

}  // namespace vantrell
