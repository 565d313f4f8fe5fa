// Read Block: a run of blocks read packet by packet into the read-back
// buffer, then shown in the Read NAND Flash view.
#include <algorithm>
#include <new>
#include <string>

#include "core/common/prompt.h"
#include "core/link/packet.h"
#include "core/nand/blocks/block_range_refusals.h"
#include "core/nand/operations/end_nand_operation.h"
#include "core/nand/operations/nand_progress.h"
#include "core/nand/operations/nand_run.h"
#include "core/nand/operations/nand_workers.h"
#include "core/operation/run_end.h"
#include "core/text/decimal_text.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

// Room the block buffer keeps beyond one block.
constexpr std::size_t kBlockBufferSlack = 1024;

struct ReadRange {
  std::int32_t first = 0;
  std::int32_t count = 0;
};

// The range refused with its box, or kept; the buffers are sized only after
// the range is known to lie inside the flash.
RunEnd RefuseRange(NandRun& run, const ReadRange& range) {
  const std::string refusal =
      ReadRangeRefusal(range.first, range.count, run.flash.totalBlockCount, run.flash.blockSize);
  if (refusal.empty()) return kGoOn;
  return run.Refuse(ApplicationBox(refusal));
}

RunEnd MakeBuffers(NandRun& run, const ReadRange& range) {
  const auto blockSize = static_cast<std::size_t>(run.flash.blockSize);
  try {
    run.readBack.resize(static_cast<std::size_t>(range.count) * blockSize);
    run.blockBuffer.resize(blockSize + kBlockBufferSlack);
  } catch (const std::bad_alloc&) {
    return run.Refuse(ApplicationBox(FormatText("Not enough memory to read %d blocks!", range.count)));
  }
  return kGoOn;
}

// Block i of the range into its place in the read-back buffer. Reply j of
// the block lands at 62 × j; the counts must add up to the block size.
RunEnd ReadBlock(NandRun& run, std::int32_t block, std::int32_t i) {
  if (RunEnd end = EndUnlessSuccess(run.commands.ReadBlockNumber(static_cast<std::uint32_t>(block)))) return end;
  const auto blockSize = static_cast<std::size_t>(run.flash.blockSize);
  const std::size_t packets = (blockSize + kMaxPayload - 1) / kMaxPayload;
  std::size_t sum = 0;
  NandDataPacket packet;
  for (std::size_t j = 0; j < packets; ++j) {
    if (RunEnd end = EndUnlessSuccess(run.commands.NandReadData(packet))) return end;
    // At most 62 bytes from 62 × j stay inside block size + 61 bytes.
    std::ranges::copy(packet.Data(), run.blockBuffer.begin() + static_cast<std::ptrdiff_t>(kMaxPayload * j));
    sum += packet.count;
  }
  if (sum != blockSize) {
    const std::string error = FormatText("Block Number <%d>: Read Block Size Error, Block Size(%d) ≠ Read Size(%d)",
                                         block, run.flash.blockSize, static_cast<int>(sum));
    run.channel.LogText(error + "\r\n");
    run.prompt.Tell(error);
    return LinkResult::CommError;
  }
  std::copy_n(run.blockBuffer.begin(), blockSize,
              run.readBack.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(i) * blockSize));
  run.bytes += blockSize;
  return kGoOn;
}

LinkResult ReadBlocks(NandRun& run) {
  const ReadRange range{DecimalTextValue(run.view->EditText(NandEdit::ReadStart)),
                        DecimalTextValue(run.view->EditText(NandEdit::ReadCount))};
  if (RunEnd end = RefuseRange(run, range)) return *end;
  if (RunEnd end = MakeBuffers(run, range)) return *end;
  if (!run.OpenLink()) return LinkResult::Reported;
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramStart())) return *end;
  ResetProgressBar(run);
  run.view->SetStatusText("NAND Flash Blocks Reading~");
  NandProgress progress(
      run, {OperationStage::NandReadBlock, std::nullopt, static_cast<std::uint64_t>(range.count), StageUnit::Block});
  for (std::int32_t i = 0; i < range.count; ++i) {
    if (RunEnd end = ReadBlock(run, range.first + i, i)) return *end;
    progress.Reached(static_cast<std::uint64_t>(i) + 1);
    run.view->SetStatusText(FormatText("Block Reading Count <%d>", i));
  }
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramEnd())) return *end;
  return LinkResult::Finished;
}

}  // namespace

int ReadBlockWorker(NandRun& run) { return EndNandOperation(run, NandEnding::BlockRead, ReadBlocks(run)); }

}  // namespace vantrell
