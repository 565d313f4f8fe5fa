#pragma once
// The programming session driving the writer simulator, as the download
// window drives it: runs start on their own worker thread.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/busy_state.h"
#include "core/devices/device_record.h"
#include "core/link/writer_link.h"
#include "core/program/job/file_checksum.h"
#include "core/program/session/programming_session.h"
#include "support/log_capture.h"
#include "support/recording_download_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::test {

class ProgramSimRig {
 public:
  explicit ProgramSimRig(const ChipDeviceSpec& spec, const std::string& name = "VELORA-SIM") {
    device = SelectedDeviceFor(spec, name);
    sim.SetFirmware(MakeChipImage(spec));
    session.SetDevice(device);
  }

  static std::vector<std::uint8_t> Pattern(std::size_t n, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 11 + (i >> 7));
    return bytes;
  }

  // A file at a start sector, with its checksum as the list computes it.
  void AddFile(std::int32_t sector, const std::vector<std::uint8_t>& bytes) {
    const std::string path = files.File("file" + std::to_string(job.FileCount()) + ".bin");
    WriteBytes(path, bytes);
    job.paths.push_back(path);
    job.sectors.push_back(sector);
    job.checksums.push_back(ChecksumOf(bytes));
    contents.push_back(bytes);
  }

  // Starts the run as the window does and waits for it to end.
  void Run(const RunOptions& options) {
    session.SetOptions(options);
    ASSERT_TRUE(session.StartRun(job, view));
    session.WaitForWorker();
  }
  void EraseAll() {
    ASSERT_TRUE(session.StartEraseAll(view));
    session.WaitForWorker();
  }

  std::string Log() { return capture.Bytes(); }
  std::vector<std::string> Boxes() const { return prompt.Texts(); }
  std::uint32_t SectorBytes() const { return device.sectorSizeKb * 1024; }

  SimHarness sim;
  LogCapture capture;
  WriterLink link{sim.Driver(), capture.log};
  ScriptedPrompt prompt;
  BusyState busy;
  std::shared_ptr<RecordingDownloadView> view = std::make_shared<RecordingDownloadView>();
  ProgrammingSession session{link, prompt, busy};
  SelectedDevice device;
  DownloadJob job;
  std::vector<std::vector<std::uint8_t>> contents;
  TempDir files;
};

inline ChipDeviceSpec SmallSimDevice() {
  ChipDeviceSpec spec;
  spec.chipId = 0x65;
  spec.flashMakerId = 0x5C;
  spec.flashDeviceId = 0x41;
  spec.sectorSizeKb = 1;
  spec.flashSizeKb = 16;
  spec.extendedReadId = true;
  return spec;
}

}  // namespace vantrell::test
