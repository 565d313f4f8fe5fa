#pragma once
// The blocks a download file takes, and the tests that keep the files of one
// download apart and inside the flash. Block numbers and counts are 64-bit
// here: a start block times a block size must not wrap.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/nand/operations/nand_flash_state.h"

namespace vantrell {

struct NandBlockRange {
  std::int64_t first = 0;
  std::int64_t last = 0;  // inclusive

  bool Holds(std::int64_t block) const { return first <= block && block <= last; }
};

// ⌈length ÷ blockSize⌉ blocks from first; none for an empty file or an
// unknown block size.
std::optional<NandBlockRange> FileBlockRange(std::int64_t first, std::uint64_t length, std::int32_t blockSize);

// Inside the flash of the last Refresh (or Erase All).
bool InsideFlash(const NandBlockRange& range, const NandFlashState& flash);

using NandFileRanges = std::array<std::optional<NandBlockRange>, kNandFileCount>;

// The earlier file (index) whose blocks file k's range runs into, none when
// it runs into no earlier file that takes part. The ends of file k's range
// are tested first (its first block against File1, then File2, then its
// last block against File1, then File2); after them a range enclosing an
// earlier file whole.
std::optional<std::size_t> OverlappedEarlierFile(std::size_t k, const NandBlockRange& range,
                                                 const NandFileRanges& earlier);

// "Start Block Number of File2 is wrong!\r\n(overlap with File1)" and the like.
std::string OverlapText(std::size_t file, std::size_t earlier);
// "File1 does not fit in the NAND flash!" and the like.
std::string DoesNotFitText(std::size_t file);

}  // namespace vantrell
