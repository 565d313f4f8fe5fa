#include "core/nand/download/nand_file_writer.h"

#include <algorithm>

#include "core/link/packet.h"
#include "core/nand/operations/nand_progress.h"
#include "core/nand/operations/nand_run.h"

namespace vantrell {

RunEnd WriteNandFile(NandRun& run, std::span<const std::uint8_t> data, std::uint32_t firstBlock,
                     NandProgress& progress) {
  const auto blockSize = static_cast<std::uint64_t>(run.flash.blockSize);
  const std::uint64_t length = data.size();
  std::uint64_t offset = 0;
  std::uint64_t chunk = 0;
  std::uint32_t block = firstBlock;
  while (offset < length) {
    if (RunEnd end = EndUnlessSuccess(run.commands.WriteBlockNumber(block++))) return end;
    for (std::uint64_t room = blockSize; room > 0 && offset < length; room -= chunk) {
      chunk = std::min({std::uint64_t{kMaxPayload}, length - offset, room});
      if (RunEnd end = EndUnlessSuccess(run.commands.WriteData(data.subspan(offset, chunk)))) return end;
      offset += chunk;
      progress.Reached(offset);
    }
  }
  // The writer knows a file has ended by a short packet; a full last one
  // needs the empty packet after it.
  if (chunk == kMaxPayload) return EndUnlessSuccess(run.commands.WriteData({}));
  return kGoOn;
}

}  // namespace vantrell
