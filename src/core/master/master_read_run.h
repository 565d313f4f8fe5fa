#pragma once
// Everything one read of the MASTER chip works with, fixed when it starts:
// the chip context, the Read Master window it shows progress in, the device
// whose IDs the MASTER chip must report, and the range with the buffer it
// fills. The buffer is shared: it stays alive until the worker lets go of it,
// even when the window that asked for it has gone.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/devices/device_record.h"
#include "core/link/link_result.h"
#include "core/master/read_master_view.h"
#include "core/program/chip/chip_context.h"

namespace vantrell {

struct MasterReadRequest {
  SelectedDevice device;
  std::uint32_t address = 0;
  std::uint32_t length = 0;  // at least 1
};

using MasterBytes = std::vector<std::uint8_t>;

class MasterReadRun {
 public:
  // Allocates request.length bytes, all 0.
  MasterReadRun(WriterLink& link, Prompt& prompt, BusyLease lease, std::shared_ptr<ReadMasterViewSlot> views,
                const MasterReadRequest& request);

  bool Abandoned() const { return chip.Abandoned(); }

  ChipContext chip;
  std::shared_ptr<ReadMasterViewSlot> views;
  AttachedReadProgress progress;
  const SelectedDevice device;
  const std::uint32_t address;
  // Written by the worker only; look at it once the read has finished.
  const std::shared_ptr<MasterBytes> data;
  // The code the read ended with (Finished when data holds the range), for
  // callers without a window; set by the worker before the read's end.
  LinkResult outcome = LinkResult::Reported;
};

}  // namespace vantrell
