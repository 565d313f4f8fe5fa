#include "core/devices/device_fields.h"

#include <algorithm>
#include <cstdint>

#include "core/devices/device_list_format.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr std::uint64_t kMaxSizeKb = 0xFFFFFFFF;
constexpr std::uint64_t kMaxByte = 0xFF;
constexpr std::uint64_t kMaxDeviceNumber = kTerminatorNumber - 1;

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// The digits as a number of at most max; nothing for an empty text, any
// other character, or a larger number (however many digits it has).
std::optional<std::uint64_t> ParseUnsigned(std::string_view digits, int base, std::uint64_t max) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > max) return std::nullopt;
  }
  return value;
}

std::optional<std::uint64_t> ParseHex(std::string_view text, std::uint64_t max) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  return ParseUnsigned(text, 16, max);
}

bool IsSingleBytePrintable(char c) { return c >= 0x20 && c <= 0x7E; }

std::optional<std::string> NameProblem(std::string_view name) {
  if (!name.empty() && name.size() <= kMaxDeviceNameLength &&
      std::all_of(name.begin(), name.end(), IsSingleBytePrintable)) {
    return std::nullopt;
  }
  return FormatText("\"%.*s\" is not a name of 1 to %zu single-byte characters", static_cast<int>(name.size()),
                    name.data(), kMaxDeviceNameLength);
}

std::string NotHex(std::string_view text, const char* range) {
  return FormatText("\"%.*s\" is not a hexadecimal number from %s", static_cast<int>(text.size()), text.data(), range);
}

template <typename Field>
std::optional<std::string> SetHexByte(Field& field, std::string_view text) {
  const auto value = ParseHex(text, kMaxByte);
  if (!value) return NotHex(text, "0x00 to 0xFF");
  field = static_cast<Field>(*value);
  return std::nullopt;
}

std::optional<std::string> SetSize(std::uint32_t& field, std::string_view text) {
  const auto value = ParseUnsigned(text, 10, kMaxSizeKb);
  if (!value) {
    return FormatText("\"%.*s\" is not a number from 0 to %llu", static_cast<int>(text.size()), text.data(),
                      static_cast<unsigned long long>(kMaxSizeKb));
  }
  field = static_cast<std::uint32_t>(*value);
  return std::nullopt;
}

std::optional<std::string> SetNumber(std::uint16_t& field, std::string_view text) {
  if (ParseHex(text, kTerminatorNumber) == kTerminatorNumber) {
    return std::string("0xFFFF marks the end of the list and is no device's number");
  }
  const auto value = ParseHex(text, kMaxDeviceNumber);
  if (!value) return NotHex(text, "0x0000 to 0xFFFE");
  field = static_cast<std::uint16_t>(*value);
  return std::nullopt;
}

}  // namespace

std::string FieldText(const DeviceRecord& record, DeviceField field) {
  switch (field) {
    case DeviceField::Number: return FormatText("0x%04X", record.number);
    case DeviceField::Name: return record.name;
    case DeviceField::SectorSize: return std::to_string(record.sectorSizeKb);
    case DeviceField::FlashSize: return std::to_string(record.flashSizeKb);
    case DeviceField::ChipId: return FormatText("0x%02X", record.chipId);
    case DeviceField::FlashMakerId: return FormatText("0x%02X", record.flashMakerId);
    case DeviceField::FlashDeviceId: return FormatText("0x%02X", record.flashDeviceId);
  }
  return {};
}

std::optional<std::string> SetField(DeviceRecord& record, DeviceField field, std::string_view text) {
  text = Trimmed(text);
  switch (field) {
    case DeviceField::Number: return SetNumber(record.number, text);
    case DeviceField::Name:
      if (auto problem = NameProblem(text)) return problem;
      record.name = std::string(text);
      return std::nullopt;
    case DeviceField::SectorSize: return SetSize(record.sectorSizeKb, text);
    case DeviceField::FlashSize: return SetSize(record.flashSizeKb, text);
    case DeviceField::ChipId: return SetHexByte(record.chipId, text);
    case DeviceField::FlashMakerId: return SetHexByte(record.flashMakerId, text);
    case DeviceField::FlashDeviceId: return SetHexByte(record.flashDeviceId, text);
  }
  return std::nullopt;
}

}  // namespace vantrell
