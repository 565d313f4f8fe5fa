#pragma once
// The dump view's tooltip text: the tip format copied with its "%" escapes
// replaced by what they say about one item.
//
//   %+ %-     the next value is read with the first byte most (+) or least
//             (-) significant; without one, the view's byte order
//   %0 .. %4  the next value is read from that many bytes; 0 is one item
//   %R        the item's address, 2 digits per byte of the count (default 8)
//   %H %D %O %B %A  the value in hexadecimal, decimal, octal, binary, ASCII
//   %n        CR LF
//   %t        1 to 4 spaces, up to the next multiple of 4 characters of the line
//   %x        any other character x itself ("%%" gives "%")
#include <cstdint>
#include <string>
#include <string_view>

#include "core/controls/hexdump/dump_buffer.h"

namespace vantrell {

// The format both read views of the program use.
inline constexpr const char* kDumpProgramTipFormat =
    "Address: 0x%R%n------ Data -------%nHex:%t%H%nDec:%t%D%nOct:%t%O%nBin:%t%B%nAscii:%t%A";

std::string FormatDumpTip(std::string_view format, const DumpBuffer& buffer, int item, std::uint32_t style,
                          char unprintable);

}  // namespace vantrell
