#pragma once
// What Read Run makes of its two edits: the start address typed after "0x"
// and the length typed before " [byte]", and whether that length may be read
// from the selected device's internal flash.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/devices/device_record.h"

namespace vantrell {

// Hexadecimal, "0x" prefix accepted, read up to the first character that is
// not a hexadecimal digit: "0x0000FF00" gives 0xFF00.
std::uint32_t ParseReadStart(std::string_view text);
// Decimal, read up to the first character that is not a digit: "000100
// [byte]" gives 100. Leading blanks are skipped; too many digits saturate.
std::uint32_t ParseReadLength(std::string_view text);

// The box that refuses the length, or nothing when it may be read: at least
// one byte and at most the whole internal flash. The start address is not
// tested here; the writer refuses a range that runs past the flash.
std::optional<std::string> ReadLengthRefusal(std::uint32_t length, const SelectedDevice& device);

}  // namespace vantrell
