#include "support/download_rig.h"

#include <stdexcept>

#include "core/common/busy_lease.h"
#include "core/program/run/download_run.h"
#include "core/program/run/download_worker.h"
#include "core/program/run/erase_all_worker.h"
#include "core/program/job/file_checksum.h"

namespace vantrell::test {

SelectedDevice SmallDevice(std::uint32_t sectorCount, std::string name) {
  SelectedDevice device;
  device.number = 0x0101;
  device.version = 0x0102;
  device.name = std::move(name);
  device.sectorSizeKb = 1;
  device.flashSizeKb = sectorCount;
  device.chipId = 0x5A;
  device.flashMakerId = 0xBF;
  device.flashDeviceId = 0x41;
  return device;
}

DownloadRig::DownloadRig(SelectedDevice device) : device(device) {
  session.SetDevice(device);
  view->watchedBusy = &busy;
}

std::string DownloadRig::AddFile(std::int32_t sector, std::size_t bytes, std::uint8_t seed) {
  std::vector<std::uint8_t> data(bytes);
  for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(seed + i * 7);
  return AddFileBytes(sector, data);
}

std::string DownloadRig::AddFileBytes(std::int32_t sector, const std::vector<std::uint8_t>& bytes) {
  const std::string path = dir.File("file" + std::to_string(job.FileCount()) + ".bin");
  WriteBytes(path, bytes);
  job.paths.push_back(path);
  job.sectors.push_back(sector);
  job.checksums.push_back(ChecksumOf(bytes));
  return path;
}

std::unique_ptr<DownloadRun> DownloadRig::MakeRun(const RunOptions& options, DownloadJob runJob) {
  std::optional<BusyLease> lease = BusyLease::TryTake(busy);
  if (!lease) throw std::logic_error("link busy");
  RunSetup setup{device, options, std::move(runJob), SteppingClock(clockReadings)};
  return std::make_unique<DownloadRun>(link, prompt, std::move(*lease), MakeDownloadViewSlot(view), session,
                                       std::move(setup));
}

int DownloadRig::Run(const RunOptions& options) { return DownloadWorker(*MakeRun(options, job)); }

int DownloadRig::EraseAll() {
  RunOptions options = session.Options();
  options.program = false;
  return EraseAllWorker(*MakeRun(options, DownloadJob{}));
}

}  // namespace vantrell::test
