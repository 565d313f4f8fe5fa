#include "core/common/prompt.h"
#include "core/nand/information/bad_block_table.h"
#include "core/nand/operations/end_nand_operation.h"
#include "core/nand/operations/nand_run.h"
#include "core/nand/operations/nand_workers.h"
#include "core/operation/run_end.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

// One reply of the table, which must carry exactly entries entries.
RunEnd ReadBadBlockReply(NandRun& run, std::int32_t entries, const std::string& complaint) {
  NandDataPacket packet;
  if (RunEnd end = EndUnlessSuccess(run.commands.ReadBadBlockInformation(packet))) return end;
  if (packet.count != entries * kBadBlockEntryBytes) {
    run.channel.LogText(complaint);
    return LinkResult::CommError;
  }
  AppendBadBlocks(packet, run.badBlocks);
  return kGoOn;
}

RunEnd ReadBadBlockTable(NandRun& run) {
  // Entries are kept as they arrive, so a count the writer only claims
  // allocates nothing.
  const BadBlockReplies replies = SplitBadBlockCount(run.flash.badBlockCount);
  for (std::int32_t i = 0; i < replies.full; ++i) {
    if (RunEnd end = ReadBadBlockReply(run, kBadBlocksPerReply, "Rx Bad Block Count is not 15")) return end;
  }
  if (replies.rest == 0) return kGoOn;
  return ReadBadBlockReply(run, replies.rest, FormatText("Rx Bad Block Count is not %d", replies.rest));
}

LinkResult ReadBadBlocks(NandRun& run) {
  if (!run.flash.hasBadBlocks) {
    return run.Refuse(WindowBox("Error!", "There is no Bad Block!"));
  }
  if (!run.OpenLink()) return LinkResult::Reported;
  run.EnterStage({OperationStage::NandReadBadBlock, std::nullopt, 0, StageUnit::None});
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramStart())) return *end;
  if (!BadBlockCountAccepted(run.flash.badBlockCount, run.flash)) return LinkResult::CommError;
  if (RunEnd end = ReadBadBlockTable(run)) return *end;
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramEnd())) return *end;
  return LinkResult::Finished;
}

}  // namespace

int ReadBadBlockWorker(NandRun& run) { return EndNandOperation(run, NandEnding::BadBlockList, ReadBadBlocks(run)); }

}  // namespace vantrell
