#pragma once
// Everything a download or Erase All run needs, wired to the writer simulator,
// a recording window, scripted boxes and a log file; runs go on the test's
// own thread.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/common/busy_state.h"
#include "core/devices/device_record.h"
#include "core/link/writer_link.h"
#include "core/program/job/download_job.h"
#include "core/program/session/programming_session.h"
#include "core/program/window/run_options.h"
#include "support/log_capture.h"
#include "support/recording_download_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_chip_writer.h"
#include "support/temp_dir.h"

namespace vantrell {
class DownloadRun;
}

namespace vantrell::test {

// A device of sectorCount sectors of 1 KB; chip ID 0x5A, flash IDs 0xBF/0x41.
SelectedDevice SmallDevice(std::uint32_t sectorCount, std::string name = "VELORA-TEST");

// Gives each reading in turn, then the last one again.
class SteppingClock {
 public:
  explicit SteppingClock(std::deque<std::int64_t> readings) : readings_(std::move(readings)) {}
  std::int64_t operator()() {
    const std::int64_t now = readings_.front();
    if (readings_.size() > 1) readings_.pop_front();
    return now;
  }

 private:
  std::deque<std::int64_t> readings_;
};

class DownloadRig {
 public:
  explicit DownloadRig(SelectedDevice device = SmallDevice(8));

  // A file of bytes bytes (a counting pattern) at sector; returns its path.
  std::string AddFile(std::int32_t sector, std::size_t bytes, std::uint8_t seed = 1);
  std::string AddFileBytes(std::int32_t sector, const std::vector<std::uint8_t>& bytes);

  // A run over the rig's writer, window and session, holding the busy state.
  std::unique_ptr<DownloadRun> MakeRun(const RunOptions& options, DownloadJob job);
  int Run(const RunOptions& options);
  int EraseAll();
  std::string Log() { return capture.Bytes(); }
  std::vector<std::string> Boxes() const { return prompt.Texts(); }

  SelectedDevice device;
  SimChipWriter writer{device};
  LogCapture capture;
  WriterLink link{writer, capture.log};
  ScriptedPrompt prompt;
  BusyState busy;
  std::shared_ptr<RecordingDownloadView> view = std::make_shared<RecordingDownloadView>();
  std::deque<std::int64_t> clockReadings{100};
  ProgrammingSession session{link, prompt, busy};
  DownloadJob job;
  TempDir dir;
};

}  // namespace vantrell::test
