#pragma once
// The small descriptor that sample device images carry behind their 4-byte
// header. Only the writer simulator reads it, to know which device its
// firmware serves; the host program reads nothing but the header.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orbsim {

enum class Family : std::uint8_t { None = 0, Chip = 1, Nand = 2 };
enum class ReadIdForm : std::uint8_t { Short = 0, Extended = 1 };

struct FirmwareDescriptor {
  static constexpr std::size_t kOffset = 4;  // right behind the image header
  static constexpr std::size_t kFixedSize = 60;
  static constexpr std::size_t kMaxBadBlocks = 64;
  static constexpr std::size_t kNandNameSize = 16;

  std::uint32_t imageSize = 0;  // whole image, header included
  Family family = Family::None;
  ReadIdForm readIdForm = ReadIdForm::Short;
  std::uint8_t chipId = 0;
  std::uint8_t flashMakerId = 0;
  std::uint8_t flashDeviceId = 0;
  std::uint32_t sectorSizeKb = 0;
  std::uint32_t flashSizeKb = 0;
  std::uint32_t nandBlockSize = 0;
  std::uint32_t nandBlockCount = 0;
  std::uint32_t nandFatStartBlock = 0;
  std::string nandName;  // at most 15 characters
  std::vector<std::uint32_t> badBlocks;

  // Bytes to place at kOffset of an image.
  std::vector<std::uint8_t> Encode() const;
  // Reads the descriptor of an image; nullopt when there is none or it is damaged.
  static std::optional<FirmwareDescriptor> Decode(std::span<const std::uint8_t> image);
};

struct ImageHeader {
  std::uint16_t number = 0;
  std::uint16_t version = 0;
  static std::optional<ImageHeader> Of(std::span<const std::uint8_t> image);
};

}  // namespace orbsim
