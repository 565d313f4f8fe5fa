#include "core/master/read_master_worker.h"

#include <optional>

#include "core/master/end_read_master_operation.h"
#include "core/master/master_read_run.h"
#include "core/operation/run_end.h"

namespace vantrell {
namespace {

constexpr std::size_t kMasterSocket = 0;

RunEnd OpenLink(MasterReadRun& run) { return run.chip.OpenLink() ? kGoOn : RunEnd(LinkResult::Reported); }

// The box for a MASTER chip that is not the selected device's, if it is not.
std::optional<const char*> MasterIdMismatch(const ChipIdReply& ids, const SelectedDevice& device) {
  if (ids.chipIds[kMasterSocket] != device.chipId) return "Read ID → ERROR!";
  if (!ids.extended) return std::nullopt;
  if (ids.deviceIds[kMasterSocket] != device.flashDeviceId) return "Internal Flash Device ID → ERROR!";
  if (ids.makerIds[kMasterSocket] != device.flashMakerId) return "Internal Flash Manufacturer ID → ERROR!";
  return std::nullopt;
}

RunEnd IdentifyMaster(MasterReadRun& run) {
  ChipIdReply ids;
  if (const LinkResult r = run.chip.commands.ReadId(ids); r != LinkResult::Success) {
    run.chip.prompt.Tell("Read ID Error!");
    return r;
  }
  if (const auto mismatch = MasterIdMismatch(ids, run.device)) {
    run.chip.prompt.Tell(*mismatch);
    return LinkResult::CommError;
  }
  return kGoOn;
}

// A read the writer refused or answered with the wrong bytes is as much a
// failed read of the MASTER chip as a MASTER state that is not 0: the
// operator is told so, never left with a silent end.
RunEnd ReadRange(MasterReadRun& run) {
  ChipStatus status{};
  run.views->Get()->StageEntered({OperationStage::ReadMaster, std::nullopt, run.data->size(), StageUnit::Byte});
  const LinkResult r = run.chip.commands.ReadData(run.address, *run.data, status, run.progress, &run.progress);
  const bool readFailed = r == LinkResult::CommError || (r == LinkResult::Success && status[kMasterSocket] != 0);
  if (readFailed) {
    run.chip.prompt.Tell("Read Master Chip → ERROR!");
    return LinkResult::CommError;
  }
  return EndUnlessSuccess(r);
}

LinkResult ReadMasterChip(MasterReadRun& run) {
  if (RunEnd end = OpenLink(run)) return *end;
  if (RunEnd end = IdentifyMaster(run)) return *end;
  if (RunEnd end = ReadRange(run)) return *end;
  ChipStatus ignored{};
  if (RunEnd end = EndUnlessSuccess(run.chip.commands.CommEnd(ignored))) return *end;
  return LinkResult::Finished;
}

}  // namespace

int ReadMasterWorker(MasterReadRun& run) {
  run.outcome = ReadMasterChip(run);
  return EndReadMasterOperation(run.chip, *run.views, run.outcome, run.progress.Received());
}

}  // namespace vantrell
