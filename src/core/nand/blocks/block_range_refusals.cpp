#include "core/nand/blocks/block_range_refusals.h"

#include "core/text/format.h"

namespace vantrell {

std::string EraseRangeRefusal(std::int64_t first, std::int64_t last, std::int64_t totalBlocks) {
  if (last < first) return "Erase End Block Number is smaller than Erase Start Block Number!";
  if (last >= totalBlocks) {
    return FormatText("Erase End Block Number is Over!\r\n( Maximum %d )", static_cast<int>(totalBlocks - 1));
  }
  return {};
}

std::string ReadRangeRefusal(std::int64_t first, std::int64_t count, std::int64_t totalBlocks,
                             std::int64_t blockSize) {
  if (count <= 0) return "Read Block Count has to be over 0!";
  if (first < 0 || first >= totalBlocks) return "Read Start Block Number is over!";
  if (count > totalBlocks - first) return "Read Block Count is over!";
  if (blockSize > 0 && count * blockSize > kMostReadBytes) {
    return FormatText("Read Block Count is over!\r\n( Maximum %d )", static_cast<int>(kMostReadBytes / blockSize));
  }
  return {};
}

}  // namespace vantrell
