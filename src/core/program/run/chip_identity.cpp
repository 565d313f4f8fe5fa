#include "core/program/run/chip_identity.h"

#include "core/program/run/download_run.h"

namespace vantrell {
namespace {

RunEnd CheckIdentities(DownloadRun& run, const ChipIdReply& ids) {
  if (!run.checks.CheckChipStatus(run.device.chipId, ids.chipIds, "Read ID", true, SocketOutcome::DroppedAtReadId)) {
    return LinkResult::Reported;
  }
  if (!ids.extended) return kGoOn;
  if (!run.checks.CheckChipStatus(run.device.flashMakerId, ids.makerIds, "InterFlash Manuf ID", true,
                                  SocketOutcome::DroppedAtReadId)) {
    return LinkResult::Reported;
  }
  if (!run.checks.CheckChipStatus(run.device.flashDeviceId, ids.deviceIds, "InterFlash Device ID", true,
                                  SocketOutcome::DroppedAtReadId)) {
    return LinkResult::Reported;
  }
  return kGoOn;
}

}  // namespace

RunEnd OpenAndIdentifyChips(DownloadRun& run, StaleInput staleInput) {
  if (!run.chip.OpenLink()) {
    run.board.SetAll(0);
    return LinkResult::Reported;
  }
  if (staleInput == StaleInput::Clear) run.chip.channel.ClearInput();

  ChipIdReply ids;
  if (const LinkResult r = run.chip.commands.ReadId(ids); r != LinkResult::Success) {
    run.chip.prompt.Tell("Read ID Error!");
    return r;
  }
  run.board.ColourServed(kPackColourRunning);
  return CheckIdentities(run, ids);
}

}  // namespace vantrell
