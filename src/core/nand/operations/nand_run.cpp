#include "core/nand/operations/nand_run.h"

namespace vantrell {
namespace {

constexpr const char* kOpenFailure = "Orbelle USB Driver can't be Open!";

}  // namespace

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
  channel.Log("%s\r\n", kOpenFailure);
  return false;
}

bool NandRun::OpenLink() { return OpenLink(ApplicationBox(kOpenFailure)); }

}  // namespace vantrell
