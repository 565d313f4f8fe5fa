#pragma once
// Everything one download or Erase All run works with, fixed when it starts:
// the chip context, the window it shows progress in, its sockets, the device,
// the options and the job, the open data file, its clock and where it leaves
// its result.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/devices/device_record.h"
#include "core/program/chip/chip_context.h"
#include "core/program/job/download_file.h"
#include "core/program/job/download_job.h"
#include "core/operation/run_clock.h"
#include "core/program/window/run_options.h"
#include "core/program/run/run_recorder.h"
#include "core/program/window/run_view.h"
#include "core/program/chip/socket_board.h"
#include "core/program/chip/socket_checks.h"

namespace vantrell {

struct RunSetup {
  SelectedDevice device;
  RunOptions options;
  DownloadJob job;
  SecondsClock clock = SystemSeconds;
};

class DownloadRun {
 public:
  DownloadRun(WriterLink& link, Prompt& prompt, BusyLease lease, std::shared_ptr<DownloadViewSlot> views,
              RunRecorder& recorder, RunSetup setup);

  bool Abandoned() const { return chip.Abandoned(); }
  // The Total Progress bar at 0 of 0 to 100, its percentage shown.
  void PrepareTotalProgress();
  // How far the run got through file k's bytes (its Program or Verify stage
  // having sent done of them), and through the job's bytes in all.
  void CountFileBytes(std::size_t k, std::uint64_t done);
  std::uint64_t FileBytesDone() const;

  ChipContext chip;
  std::shared_ptr<DownloadViewSlot> views;
  RunView view;
  SocketBoard board;
  SocketChecks checks;
  RunRecorder& recorder;
  const SelectedDevice device;
  const RunOptions options;
  const DownloadJob job;
  const SecondsClock clock;
  DownloadFile file;

 private:
  std::vector<std::uint64_t> fileBytesDone_;
};

}  // namespace vantrell
