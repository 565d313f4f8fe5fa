#pragma once
// The boxes that refuse an Erase or a Read Block range before the link is
// opened, for the workers and for whoever checks a range before starting one.
#include <cstdint>
#include <string>

namespace vantrell {

// The Read NAND Flash view counts its bytes in 32 bits.
inline constexpr std::int64_t kMostReadBytes = 0x7FFFFFFF;

// The box for blocks first to last of a flash of totalBlocks; empty when the
// range may be erased.
std::string EraseRangeRefusal(std::int64_t first, std::int64_t last, std::int64_t totalBlocks);

// The box for count blocks from first of a flash of totalBlocks of blockSize
// bytes; empty when they may be read.
std::string ReadRangeRefusal(std::int64_t first, std::int64_t count, std::int64_t totalBlocks,
                             std::int64_t blockSize);

}  // namespace vantrell
