#include "core/nand/blocks/block_eraser.h"

#include "core/nand/operations/nand_progress.h"
#include "core/nand/operations/nand_run.h"
#include "core/text/format.h"

namespace vantrell {

RunEnd EraseBlockRange(NandRun& run, std::int64_t first, std::int64_t last, NandProgress& progress,
                       std::string& badBlocks) {
  for (std::int64_t block = first; block <= last; ++block) {
    const int number = static_cast<int>(block);
    const LinkResult result = run.commands.EraseBlock(static_cast<std::uint32_t>(block));
    if (result == LinkResult::Success) {
      run.view->SetStatusText(FormatText("No.<%d> Block Erased", number));
    } else if (result == LinkResult::BadBlock) {
      run.channel.Log("\t => Block Number <%d> is Bad Block!\r\n", number);
      badBlocks += FormatText("Block Number <%d> is Bad Block!\r\n", number);
    } else {
      return result;
    }
    progress.Reached(static_cast<std::uint64_t>(block - first + 1));
  }
  return kGoOn;
}

}  // namespace vantrell
