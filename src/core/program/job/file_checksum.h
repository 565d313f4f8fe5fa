#pragma once
// The checksum the writer reports after a verify, computed on the host side:
// CRC-32 of the reflected polynomial 0x04C11DB7, start value 0xFFFFFFFF and
// no final inversion (CRC-32/JAMCRC, the complement of the usual CRC-32).
// "123456789" gives 340BC6D9; no bytes at all give FFFFFFFF.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/platform/utf8_path.h"

namespace vantrell {

inline constexpr std::uint32_t kChecksumStart = 0xFFFFFFFF;
// Files are read in blocks of this many bytes.
inline constexpr std::size_t kChecksumBlockBytes = 4096;

// Folds bytes into a running checksum; start from kChecksumStart. Feeding a
// buffer in pieces gives the same value as feeding it whole.
std::uint32_t UpdateChecksum(std::uint32_t crc, std::span<const std::uint8_t> bytes);

// The checksum of one buffer.
inline std::uint32_t ChecksumOf(std::span<const std::uint8_t> bytes) {
  return UpdateChecksum(kChecksumStart, bytes);
}

// The checksum of every byte of the file, in file order. Empty when the file
// is not an existing regular file, cannot be opened, or a read fails.
std::optional<std::uint32_t> FileChecksum(const std::string& path);

// "%08X": eight upper-case hexadecimal digits.
std::string ChecksumText(std::uint32_t checksum);

// The checksum text read back as hexadecimal, stopping at the first character
// that is not a hex digit; empty text gives 0. Leading blanks are skipped.
std::uint32_t ParseChecksumText(std::string_view text);


// Opens an existing regular file for reading; the stream is not open when
// the path names nothing, a directory or a device, or cannot be read.
std::ifstream OpenExistingFile(const std::string& path);

}  // namespace vantrell
