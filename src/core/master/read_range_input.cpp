#include "core/master/read_range_input.h"

#include <cstdint>

#include "core/program/job/file_checksum.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

}  // namespace

std::uint32_t ParseReadStart(std::string_view text) {
  text = SkipBlanks(text);
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  // The same reading as a checksum cell's: hexadecimal up to the first other character.
  return ParseChecksumText(text);
}

std::uint32_t ParseReadLength(std::string_view text) {
  std::uint64_t value = 0;
  for (const char c : SkipBlanks(text)) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<std::uint32_t>(value);
}

std::optional<std::string> ReadLengthRefusal(std::uint32_t length, const SelectedDevice& device) {
  if (length == 0) return "Read Length has to be over 1";
  const std::uint64_t flashBytes = std::uint64_t{device.flashSizeKb} * 1024;
  if (length > flashBytes) {
    return "Read Length is over!" +
           FormatText("\r\nUnder Internal Flash Size = %d[KB]", static_cast<int>(device.flashSizeKb));
  }
  return std::nullopt;
}

}  // namespace vantrell
