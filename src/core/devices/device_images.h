#pragma once
// The device images in the "Device" directory beside the program: the list
// of their files, the one image loaded (the writer firmware RUN compares and
// writes) and the device it serves.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/devices/device_record.h"

namespace vantrell {

class DeviceCatalogue;
class DeviceSelectionView;
class MessageLog;
class Prompt;

// The number and version every image starts with.
struct ImageHeader {
  std::uint16_t number = 0;
  std::uint16_t version = 0;
};

// A version as shown everywhere: "%x.%02x" of its high and low byte (0x0105 reads 1.05).
std::string FormatDeviceVersion(std::uint16_t version);

class DeviceImages {
 public:
  // Images listed at most; further ones are left out (and the log says so).
  static constexpr std::size_t kMaxImageFiles = 100;
  // The header every image starts with: number and version.
  static constexpr std::size_t kHeaderSize = 4;

  // The catalogue is read at selection time, so it may be loaded after the scan.
  DeviceImages(std::string programDirectory, MessageLog& log, Prompt& prompt, DeviceSelectionView& view,
               const DeviceCatalogue& catalogue);

  // Lists the images into the file list and the view's combo box, once at
  // start-up. True when the directory was listed to its end.
  bool ScanDeviceImages();
  // Loads a file of the "Device" directory as the image. True when the whole
  // file was read; when it cannot be opened the image stays as it was, when
  // it cannot be read (or is shorter than its header) no image is kept.
  bool LoadDeviceImage(const std::string& fileName);
  // Loads the image at a combo index and makes its device the selected one;
  // an index outside the list selects with an empty file name (and fails).
  // True when the image was selected.
  bool SelectDeviceImage(int comboIndex);
  // Reads only the header of a file of the "Device" directory, leaving the
  // loaded image alone. Nothing when the file cannot be opened, or holds
  // fewer bytes than the header (each told and logged).
  std::optional<ImageHeader> ReadImageHeader(const std::string& fileName);

  // Directory of the images: the program directory and "Device".
  std::string DeviceDirectory() const;
  // Image file names with extension; a combo index is an index here.
  const std::vector<std::string>& FileNames() const { return files_; }
  std::size_t FileCount() const { return files_.size(); }

  // False until a load succeeds, and again after a failed read: RUN must
  // refuse to compare or write an image that is not whole.
  bool HasImage() const { return hasImage_; }
  std::span<const std::uint8_t> Image() const { return image_; }
  // The device of the last successful selection; all zero or empty before.
  const SelectedDevice& Selected() const { return selected_; }

 private:
  void ListImage(std::size_t index, const std::string& fileName);
  std::string ImagePath(const std::string& fileName) const;
  // Logs the path being loaded and opens the file; tells and logs a failure.
  bool OpenImage(const std::string& path, std::ifstream& in);
  bool ReadImage(std::istream& in, std::uint64_t size);
  void DropImage();
  void TakeDevice(const DeviceRecord& record);

  std::string programDirectory_;
  MessageLog& log_;
  Prompt& prompt_;
  DeviceSelectionView& view_;
  const DeviceCatalogue& catalogue_;

  std::vector<std::string> files_;
  std::vector<std::uint8_t> image_;
  bool hasImage_ = false;
  SelectedDevice selected_;
};

}  // namespace vantrell
