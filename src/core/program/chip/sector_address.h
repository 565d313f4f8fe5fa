#pragma once
// Chip requests carry 32-bit byte addresses: a sector's address is its
// number times the sector size.
#include <cstdint>

#include "core/program/job/download_job.h"

namespace vantrell {

inline std::uint32_t SectorAddress(const FlashGeometry& flash, std::uint64_t sector) {
  return static_cast<std::uint32_t>(sector * flash.sectorBytes);
}

}  // namespace vantrell
