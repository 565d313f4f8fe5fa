#pragma once
// Erasing a range of blocks, as Erase and Erase All do.
#include <cstdint>
#include <string>

#include "core/operation/run_end.h"

namespace vantrell {

class NandProgress;
class NandRun;

// One EraseBlock for each block from first to last. An erased block is named
// in the status text; a bad one is logged, its line added to badBlocks, and
// erasing goes on; any other failure ends the range. The bar follows the
// blocks done.
RunEnd EraseBlockRange(NandRun& run, std::int64_t first, std::int64_t last, NandProgress& progress,
                       std::string& badBlocks);

}  // namespace vantrell
