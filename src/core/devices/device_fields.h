#pragma once
// The fields of a device list record as the device list editor shows and
// takes them: one column each, its caption, its text, and the rule a typed
// value must keep to fit the record's field.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/devices/device_record.h"

namespace vantrell {

enum class DeviceField { Number, Name, SectorSize, FlashSize, ChipId, FlashMakerId, FlashDeviceId };
inline constexpr std::size_t kDeviceFieldCount = 7;

// Column captions, in column order.
inline constexpr std::array<const char*, kDeviceFieldCount> kDeviceFieldCaptions = {
    "Device No.",
    "Device Name",
    "Info1(Sector Size[KB])",
    "Info2(Flash Size[KB])",
    "Info3(Chip ID)",
    "Info4(InterFlash Manuf-ID)",
    "Info4(InterFlash Dev-ID)",
};

constexpr const char* FieldCaption(DeviceField field) { return kDeviceFieldCaptions[static_cast<std::size_t>(field)]; }

// Numbers in hexadecimal ("0x1005", "0x3A"), sizes in decimal, the name as it is.
std::string FieldText(const DeviceRecord& record, DeviceField field);

// Takes typed text into the record's field (surrounding blanks ignored;
// hexadecimal with or without "0x"). Nothing when accepted; otherwise why
// not, in words that fit after the cell's name. The record is unchanged then.
// The terminator's number 0xFFFF is no device's number.
std::optional<std::string> SetField(DeviceRecord& record, DeviceField field, std::string_view text);

}  // namespace vantrell
