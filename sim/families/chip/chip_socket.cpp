#include "families/chip/chip_socket.h"

#include <algorithm>

#include "families/chip/chip_crc.h"

namespace orbsim {

ChipSocket::ChipSocket(const ChipIdentity& device, const ChipSocketConfig& config, std::uint32_t flashBytes)
    : identity_(device), config_(config), present_(!config.empty) {
  if (!present_) return;
  identity_.chipId = config.chipId.value_or(device.chipId);
  identity_.makerId = config.makerId.value_or(device.makerId);
  identity_.deviceId = config.deviceId.value_or(device.deviceId);
  flash_.assign(flashBytes, 0xFF);
  HoldStuckBits(0, flashBytes);
}

ChipIdentity ChipSocket::Reported() const {
  if (!present_) return {chip::kAbsentId, chip::kAbsentId, chip::kAbsentId};
  return identity_;
}

std::uint8_t ChipSocket::Use(std::uint8_t code) {
  if (!present_) return chip::kStateNoChip;
  const std::uint64_t nth = ++uses_[code];
  for (const ChipFault& f : config_.faults) {
    if (f.code == code && f.Hits(nth)) {
      ++failuresReported_;
      return f.status;
    }
  }
  return chip::kStateDone;
}

void ChipSocket::Erase(std::uint32_t address, std::uint32_t length) {
  if (!present_) return;
  std::fill_n(flash_.begin() + address, length, 0xFF);
  HoldStuckBits(address, address + length);
}

void ChipSocket::Program(std::uint32_t address, std::span<const std::uint8_t> bytes) {
  if (!present_) return;
  for (std::size_t i = 0; i < bytes.size(); ++i) flash_[address + i] &= bytes[i];
  HoldStuckBits(address, address + static_cast<std::uint32_t>(bytes.size()));
}

bool ChipSocket::IsBlank(std::uint32_t address, std::uint32_t length) const {
  if (!present_) return false;
  const auto begin = flash_.begin() + address;
  return std::all_of(begin, begin + length, [](std::uint8_t b) { return b == 0xFF; });
}

std::uint32_t ChipSocket::Checksum(std::uint32_t address, std::uint32_t length) const {
  if (!present_) return 0;
  return Jamcrc(std::span<const std::uint8_t>(flash_).subspan(address, length));
}

std::size_t ChipSocket::Overwrite(std::uint32_t offset, std::span<const std::uint8_t> bytes) {
  if (!present_ || offset >= flash_.size()) return 0;
  const std::size_t n = std::min(bytes.size(), flash_.size() - offset);
  std::copy_n(bytes.begin(), n, flash_.begin() + offset);
  HoldStuckBits(offset, static_cast<std::uint32_t>(offset + n));
  return n;
}

void ChipSocket::HoldStuckBits(std::uint32_t from, std::uint32_t to) {
  for (const StuckBit& s : config_.stuckBits) {
    // Cells beyond this device's flash do not exist.
    if (s.offset < from || s.offset >= to || s.offset >= flash_.size()) continue;
    const auto mask = static_cast<std::uint8_t>(1u << s.bit);
    flash_[s.offset] = s.high ? (flash_[s.offset] | mask) : (flash_[s.offset] & ~mask);
  }
}

}  // namespace orbsim
