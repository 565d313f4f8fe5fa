#include "core/program/job/file_checksum.h"

#include <array>

#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr std::uint32_t kReflectedPolynomial = 0xEDB88320;

constexpr std::array<std::uint32_t, 256> MakeChecksumTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ kReflectedPolynomial : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kChecksumTable = MakeChecksumTable();

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::uint32_t UpdateChecksum(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) crc = (crc >> 8) ^ kChecksumTable[(crc ^ byte) & 0xFF];
  return crc;
}

std::optional<std::uint32_t> FileChecksum(const std::string& path) {
  std::ifstream file = OpenExistingFile(path);
  if (!file.is_open()) return std::nullopt;
  std::array<char, kChecksumBlockBytes> block;
  const auto* blockBytes = reinterpret_cast<const std::uint8_t*>(block.data());
  std::uint32_t crc = kChecksumStart;
  while (file) {
    file.read(block.data(), block.size());
    const auto got = static_cast<std::size_t>(file.gcount());
    crc = UpdateChecksum(crc, std::span(blockBytes, got));
  }
  if (file.bad()) return std::nullopt;
  return crc;
}

std::string ChecksumText(std::uint32_t checksum) { return FormatText("%08X", checksum); }

std::uint32_t ParseChecksumText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = HexDigitValue(text[i]);
    if (digit < 0) break;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::ifstream OpenExistingFile(const std::string& path) {
  std::ifstream file;
  const std::filesystem::path fsPath = Utf8Path(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fsPath, ec)) return file;
  file.open(fsPath, std::ios::binary);
  return file;
}

}  // namespace vantrell
