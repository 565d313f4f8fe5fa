#include "descriptor/firmware_descriptor.h"

#include <algorithm>
#include <cstring>

namespace orbsim {
namespace {

constexpr char kMagic[4] = {'O', 'S', 'I', 'M'};
constexpr std::uint16_t kLayoutVersion = 1;

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 0; s < 32; s += 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}
std::uint16_t GetU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t GetU32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

// Layout from kOffset: magic(4) layout(2) size(2) imageSize(4) family(1)
// readIdForm(1) chipId(1) makerId(1) deviceId(1) pad(3) sectorKb(4)
// flashKb(4) blockSize(4) blockCount(4) fatStart(4) name(16) badCount(2)
// pad(2), then badCount 32-bit block numbers.
std::vector<std::uint8_t> FirmwareDescriptor::Encode() const {
  const std::size_t bad = std::min(badBlocks.size(), kMaxBadBlocks);
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  PutU16(out, kLayoutVersion);
  PutU16(out, static_cast<std::uint16_t>(kFixedSize + 4 * bad));
  PutU32(out, imageSize);
  out.push_back(static_cast<std::uint8_t>(family));
  out.push_back(static_cast<std::uint8_t>(readIdForm));
  out.push_back(chipId);
  out.push_back(flashMakerId);
  out.push_back(flashDeviceId);
  out.insert(out.end(), 3, 0);
  PutU32(out, sectorSizeKb);
  PutU32(out, flashSizeKb);
  PutU32(out, nandBlockSize);
  PutU32(out, nandBlockCount);
  PutU32(out, nandFatStartBlock);
  std::array<std::uint8_t, kNandNameSize> name{};
  std::memcpy(name.data(), nandName.data(), std::min(nandName.size(), kNandNameSize - 1));
  out.insert(out.end(), name.begin(), name.end());
  PutU16(out, static_cast<std::uint16_t>(bad));
  PutU16(out, 0);
  for (std::size_t i = 0; i < bad; ++i) PutU32(out, badBlocks[i]);
  return out;
}

std::optional<FirmwareDescriptor> FirmwareDescriptor::Decode(std::span<const std::uint8_t> image) {
  if (image.size() < kOffset + kFixedSize) return std::nullopt;
  auto d = image.subspan(kOffset);
  if (std::memcmp(d.data(), kMagic, 4) != 0 || GetU16(d, 4) != kLayoutVersion) return std::nullopt;
  const std::uint16_t badCount = GetU16(d, 56);
  if (badCount > kMaxBadBlocks || GetU16(d, 6) != kFixedSize + 4 * badCount) return std::nullopt;
  if (d.size() < kFixedSize + 4u * badCount) return std::nullopt;
  FirmwareDescriptor out;
  out.imageSize = GetU32(d, 8);
  if (d[12] > static_cast<std::uint8_t>(Family::Nand) || d[13] > 1) return std::nullopt;
  out.family = static_cast<Family>(d[12]);
  out.readIdForm = static_cast<ReadIdForm>(d[13]);
  out.chipId = d[14];
  out.flashMakerId = d[15];
  out.flashDeviceId = d[16];
  out.sectorSizeKb = GetU32(d, 20);
  out.flashSizeKb = GetU32(d, 24);
  out.nandBlockSize = GetU32(d, 28);
  out.nandBlockCount = GetU32(d, 32);
  out.nandFatStartBlock = GetU32(d, 36);
  const auto* name = reinterpret_cast<const char*>(d.data() + 40);
  out.nandName.assign(name, strnlen(name, kNandNameSize - 1));
  for (std::size_t i = 0; i < badCount; ++i) out.badBlocks.push_back(GetU32(d, kFixedSize + 4 * i));
  return out;
}

std::optional<ImageHeader> ImageHeader::Of(std::span<const std::uint8_t> image) {
  if (image.size() < 4) return std::nullopt;
  return ImageHeader{GetU16(image, 0), GetU16(image, 2)};
}

}  // namespace orbsim
