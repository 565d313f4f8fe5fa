#pragma once
// Everything one NAND worker works with: the link, log and boxes of the
// operation, the command set, the window it shows its progress in, what the
// window knows of the flash (a copy, handed back as it changes), and the
// buffers it fills. The buffers live until the worker ends, whatever became
// of the window.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/link/link_result.h"
#include "core/nand/commands/nand_commands.h"
#include "core/nand/operations/nand_flash_state.h"
#include "core/nand/operations/nand_window_view.h"
#include "core/operation/operation_context.h"

namespace vantrell {

struct NandDownload;

class NandRun : public OperationContext {
 public:
  NandRun(WriterLink& link, Prompt& prompt, BusyLease lease, std::shared_ptr<NandViewSlot> views,
          NandStateKeeper& keeper, const NandFlashState& flash);

  // Hands the working copy of flash to the session, unless the run was abandoned.
  void KeepFlash();
  // The operation refuses to start: box is shown and kept for its account.
  LinkResult Refuse(const PromptMessage& box);
  // The stage is entered, for the account (stages without a progress bar;
  // NandProgress enters the others).
  void EnterStage(const StageEntry& stage) { view->StageEntered(stage); }
  NandCommands commands;
  std::shared_ptr<NandViewSlot> views;
  ActiveView<NandWindowView> view;
  NandFlashState flash;
  // The code the run ended with, as EndNandOperation was given it.
  LinkResult outcome = LinkResult::Reported;
  // The box of a refusal, and the file or block bytes written or read.
  std::string refusal;
  std::uint64_t bytes = 0;

  // Download: the files as the Download button loaded them.
  std::shared_ptr<const NandDownload> download;
  // Read Bad Block: the bad block table as read.
  std::vector<std::int32_t> badBlocks;
  // Read Block: the blocks read, in reading order, and the block being assembled.
  std::vector<std::uint8_t> readBack;
  std::vector<std::uint8_t> blockBuffer;

 private:
  NandStateKeeper& keeper_;
};

}  // namespace vantrell
