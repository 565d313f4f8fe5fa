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

bool NandRun::OpenLink(const PromptMessage& failure) {
  if (channel.Open()) return true;
  prompt.Show(failure);
  channel.LogText("Orbelle USB Driver can't be Open!\r\n");
  return false;
}

}  // namespace vantrell
