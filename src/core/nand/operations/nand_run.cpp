#include "core/nand/operations/nand_run.h"

namespace vantrell {

NandRun::NandRun(WriterLink& link, Prompt& prompt, BusyLease lease, std::shared_ptr<NandViewSlot> views,
                 NandStateKeeper& keeper, const NandFlashState& flash)
    : OperationContext(link, prompt, std::move(lease)),
      commands(channel),
      views(std::move(views)),
      view(*this->views, *control),
      flash(flash),
      keeper_(keeper) {}

void NandRun::KeepFlash() { keeper_.KeepFlashState(*control, flash); }

LinkResult NandRun::Refuse(const PromptMessage& box) {
  prompt.Show(box);
  refusal = box.text;
  return LinkResult::Reported;
}

}  // namespace vantrell
