#pragma once
// Writing one download file into consecutive blocks.
#include <cstdint>
#include <span>

#include "core/operation/run_end.h"

namespace vantrell {

class NandProgress;
class NandRun;

// From firstBlock on, block after block: WriteBlockNumber, then WriteData
// packets of at most 62 bytes that never cross the block's end, so a full
// block takes ⌈block size ÷ 62⌉ packets; after the file's last packet, one
// empty WriteData when that packet carried exactly 62 bytes. The bar
// follows the bytes written.
RunEnd WriteNandFile(NandRun& run, std::span<const std::uint8_t> data, std::uint32_t firstBlock,
                     NandProgress& progress);

}  // namespace vantrell
