#include "core/program/job/file_checksum.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vantrell {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Deterministic, not a repeating pattern a table mistake could hide in.
std::vector<std::uint8_t> PseudoRandomBytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::uint32_t state = 0x12345678;
  for (auto& b : bytes) {
    state = state * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

TEST(Checksum, KnownValues) {
  EXPECT_EQ(ChecksumOf(BytesOf("123456789")), 0x340BC6D9u);
  EXPECT_EQ(ChecksumOf({}), 0xFFFFFFFFu);
  // The complement of the usual CRC-32 of the same bytes.
  EXPECT_EQ(ChecksumOf(BytesOf("The quick brown fox jumps over the lazy dog")), ~0x414FA339u);
  EXPECT_EQ(ChecksumOf(BytesOf(std::string(1, '\0'))), ~0xD202EF8Du);
}

TEST(Checksum, PiecesGiveTheSameValueAsTheWhole) {
  const auto bytes = PseudoRandomBytes(1000);
  const std::span<const std::uint8_t> all(bytes);
  std::uint32_t crc = kChecksumStart;
  crc = UpdateChecksum(crc, all.subspan(0, 1));
  crc = UpdateChecksum(crc, all.subspan(1, 0));
  crc = UpdateChecksum(crc, all.subspan(1, 61));
  crc = UpdateChecksum(crc, all.subspan(62));
  EXPECT_EQ(crc, ChecksumOf(all));
}

TEST(FileChecksum, MatchesTheBufferChecksumAcrossBlockBoundaries) {
  test::TempDir dir;
  for (std::size_t size : {std::size_t{1}, kChecksumBlockBytes - 1, kChecksumBlockBytes, kChecksumBlockBytes + 1,
                           3 * kChecksumBlockBytes + 17}) {
    const auto bytes = PseudoRandomBytes(size);
    const std::string path = dir.File("data.bin");
    test::WriteBytes(path, bytes);
    EXPECT_EQ(FileChecksum(path), ChecksumOf(bytes)) << size << " bytes";
  }
}

TEST(FileChecksum, KnownTextAndEmptyFile) {
  test::TempDir dir;
  test::WriteBytes(dir.File("digits.bin"), std::string("123456789"));
  test::WriteBytes(dir.File("empty.bin"), std::string());
  EXPECT_EQ(FileChecksum(dir.File("digits.bin")), 0x340BC6D9u);
  EXPECT_EQ(FileChecksum(dir.File("empty.bin")), 0xFFFFFFFFu);
}

TEST(FileChecksum, NothingForMissingFilesAndDirectories) {
  test::TempDir dir;
  EXPECT_FALSE(FileChecksum(dir.File("gone.bin")).has_value());
  EXPECT_FALSE(FileChecksum(dir.Path()).has_value());
  EXPECT_FALSE(FileChecksum("").has_value());
}

TEST(FileChecksum, NonAsciiPath) {
  test::TempDir dir;
  const std::string path = dir.File("펌웨어 ☆.bin");
  test::WriteBytes(path, std::string("123456789"));
  EXPECT_EQ(FileChecksum(path), 0x340BC6D9u);
}

TEST(ChecksumText, EightUpperCaseDigits) {
  EXPECT_EQ(ChecksumText(0x340BC6D9), "340BC6D9");
  EXPECT_EQ(ChecksumText(0xABC), "00000ABC");
  EXPECT_EQ(ChecksumText(0xFFFFFFFF), "FFFFFFFF");
}

TEST(ChecksumText, ReadsBackAsHexadecimal) {
  EXPECT_EQ(ParseChecksumText("340BC6D9"), 0x340BC6D9u);
  EXPECT_EQ(ParseChecksumText("00000abc"), 0xABCu);
  EXPECT_EQ(ParseChecksumText(""), 0u);
  EXPECT_EQ(ParseChecksumText("12G4"), 0x12u);
  EXPECT_EQ(ParseChecksumText("  FF"), 0xFFu);
}

}  // namespace
}  // namespace vantrell
