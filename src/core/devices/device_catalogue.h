#pragma once
// The devices the program supports, read from the device list its own
// program file carries, looked up by the number that the writer and the
// device images carry.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/devices/device_record.h"

namespace vantrell {

class Prompt;
enum class ResourceStep;

// What the program tells when its device list cannot be read at a step.
std::string DeviceListReadFailure(ResourceStep step);

class DeviceCatalogue {
 public:
  // Reads the list from the program file (by its fixed name) in the program
  // directory and replaces the catalogue with it. On failure tells the
  // operator which step failed, then "Load Device List Fail!", and leaves
  // the catalogue as it was.
  bool LoadDeviceList(const std::string& programDirectory, Prompt& prompt);

  // Index of the first entry with this number or the terminator, whichever
  // comes first. A catalogue without a terminator (a list that failed to
  // load, or a cut one) ends the walk at its end: the result is then
  // DeviceCount(), which DeviceAt reads as the terminator.
  std::size_t FindDevice(std::uint16_t number) const;
  // The entry at an index; any index past the end reads as the terminator,
  // so an unknown number always shows as "Not Registered!".
  const DeviceRecord& DeviceAt(std::size_t index) const;
  // Entries, terminator included.
  std::size_t DeviceCount() const { return records_.size(); }

  // Replaces the records as they are (tests, the device list views).
  void Assign(std::vector<DeviceRecord> records) { records_ = std::move(records); }
  const std::vector<DeviceRecord>& Records() const { return records_; }

 private:
  std::vector<DeviceRecord> records_;
};

}  // namespace vantrell
