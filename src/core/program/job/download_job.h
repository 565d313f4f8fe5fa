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

// The device's internal flash in bytes and sectors. A device without a sector
// size has no sectors, so every start sector is out of range.
struct FlashGeometry {
  std::uint64_t sectorBytes = 0;  // sector size in KB x 1024
  std::uint64_t flashBytes = 0;   // flash size in KB x 1024
  std::uint64_t sectorCount = 0;  // whole sectors in the flash

  explicit FlashGeometry(const SelectedDevice& device);
  // Sectors a file of this many bytes touches (a partial last sector counts).
  std::uint64_t SectorsCovered(std::uint64_t fileBytes) const;
};

// What validation measured: each file's size in job order, and their sum.
// A size of 0 marks a file without data: the run must not program it, as
// there is no first byte to send.
struct DownloadJobSizes {
  std::vector<std::uint64_t> fileBytes;
  std::uint64_t totalBytes = 0;
};

// As above, also handing back the sizes of a job that passed (on failure
// they cover only the files checked so far).
bool ValidateDownloadJob(const DownloadJob& job, const SelectedDevice& device, Prompt& prompt, MessageLog& log,
                         DownloadJobSizes& sizes);

}  // namespace vantrell
