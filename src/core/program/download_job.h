#pragma once
// The job one run writes: the enabled files in start-sector order, as three
// parallel lists, and its validation against the selected device.
#include <cstdint>
#include <string>
#include <vector>

namespace vantrell {

class MessageLog;
class Prompt;
struct SelectedDevice;

struct DownloadJob {
  std::vector<std::string> paths;          // DownloadPaths
  std::vector<std::int32_t> sectors;       // DownloadSectors (start sector of each file)
  std::vector<std::uint32_t> checksums;    // DownloadChecksums (expected FileChecksum, 0 when unknown)

  std::size_t FileCount() const { return paths.size(); }
};

// Checks start sectors, overlaps, file presence and sizes against the device;
// reports the first failure (box, then log) and returns false.
bool ValidateDownloadJob(const DownloadJob& job, const SelectedDevice& device, Prompt& prompt, MessageLog& log);

}  // namespace vantrell
