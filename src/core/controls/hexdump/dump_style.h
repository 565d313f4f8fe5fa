#pragma once
// The dump view's style bits, number formats and area codes.
//
// An area is what a point of the view is over: 1 to 6 the info bar fields,
// 17 to 22 the data columns, each in format order (address, hexadecimal,
// decimal, binary, octal, ASCII), so an area's low four bits give its format.
#include <cstdint>

namespace vantrell {

enum DumpStyleBit : std::uint32_t {
  kDumpAddressColumn = 0x1,
  kDumpHexColumn = 0x2,
  kDumpDecColumn = 0x4,
  kDumpBinColumn = 0x8,
  kDumpOctColumn = 0x10,
  kDumpAsciiColumn = 0x20,
  kDumpInfoAddr = 0x100,
  kDumpInfoHex = 0x200,
  kDumpInfoDec = 0x400,
  kDumpInfoBin = 0x800,
  kDumpInfoOct = 0x1000,
  kDumpInfoAscii = 0x2000,
  kDumpSeparators = 0x10000,
  kDumpWordMode = 0x20000,
  kDumpHeaderRow = 0x40000,
  kDumpReadOnly = 0x80000,
  kDumpDragSelection = 0x100000,
  kDumpLowByteFirst = 0x200000,  // word mode: an item's first byte is its low byte
  kDumpHoverFrame = 0x400000,
};

inline constexpr std::uint32_t kDumpColumnBits = 0x3F;
inline constexpr std::uint32_t kDumpInfoBits = 0x3F00;

// Address, hexadecimal and ASCII columns; info fields Addr, Hex, Dec, Bin and
// Ascii; hover frame.
inline constexpr std::uint32_t kDumpDefaultStyle = 0x402F23;

enum class DumpFormat { Address = 1, Hexadecimal = 2, Decimal = 3, Binary = 4, Octal = 5, Ascii = 6 };

inline constexpr DumpFormat kDumpFormats[] = {DumpFormat::Address, DumpFormat::Hexadecimal, DumpFormat::Decimal,
                                              DumpFormat::Binary,  DumpFormat::Octal,       DumpFormat::Ascii};
// The value formats in the order of their columns and fields.
inline constexpr DumpFormat kDumpValueFormats[] = {DumpFormat::Hexadecimal, DumpFormat::Decimal, DumpFormat::Binary,
                                                   DumpFormat::Octal, DumpFormat::Ascii};

inline constexpr int kDumpNoArea = -1;
inline constexpr int kDumpNoItem = -1;

// What a point of the view is over: an area and, for data cells, the item.
struct DumpHit {
  int area = kDumpNoArea;
  int item = kDumpNoItem;
  bool operator==(const DumpHit&) const = default;
};

constexpr int FieldArea(DumpFormat format) { return static_cast<int>(format); }
constexpr int ColumnArea(DumpFormat format) { return 16 + static_cast<int>(format); }
constexpr DumpFormat FormatOfArea(int area) { return static_cast<DumpFormat>(area & 0xF); }
constexpr bool IsInfoArea(int area) { return area >= 1 && area <= 6; }
constexpr bool IsDataArea(int area) { return area >= 17 && area <= 22; }
// A data cell holding a value: every data column but the address column.
constexpr bool IsValueCell(int area) { return area >= 18 && area <= 22; }
constexpr bool IsAddressArea(int area) { return area == 1 || area == 17; }

constexpr std::uint32_t ColumnBit(DumpFormat format) { return 1u << (static_cast<int>(format) - 1); }
constexpr std::uint32_t InfoBit(DumpFormat format) { return 0x100u << (static_cast<int>(format) - 1); }
// Whether the style shows the field or column of the area.
constexpr bool AreaShown(std::uint32_t style, int area) {
  if (IsInfoArea(area)) return (style & InfoBit(FormatOfArea(area))) != 0;
  if (IsDataArea(area)) return (style & ColumnBit(FormatOfArea(area))) != 0;
  return false;
}

// The width table: characters of one item's text per format.
constexpr int ItemWidth(DumpFormat format, bool wordMode) {
  switch (format) {
    case DumpFormat::Address: return 8;
    case DumpFormat::Hexadecimal: return wordMode ? 4 : 2;
    case DumpFormat::Decimal: return wordMode ? 5 : 3;
    case DumpFormat::Binary: return wordMode ? 17 : 8;
    case DumpFormat::Octal: return wordMode ? 6 : 3;
    case DumpFormat::Ascii: return 1;
  }
  return 0;
}

}  // namespace vantrell
