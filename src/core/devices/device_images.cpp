#include "core/devices/device_images.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>

#include "core/common/prompt.h"
#include "core/devices/device_catalogue.h"
#include "core/devices/device_selection_view.h"
#include "core/devices/image_directory.h"
#include "core/link/message_log.h"
#include "core/platform/utf8_path.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// The size is logged with "%d"; a larger image is no firmware anyway.
constexpr std::uint64_t kMaxImageBytes = std::numeric_limits<std::int32_t>::max();

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint64_t StreamSize(std::istream& in) {
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  in.seekg(0, std::ios::beg);
  return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

}  // namespace

std::string FormatDeviceVersion(std::uint16_t version) {
  return FormatText("%x.%02x", static_cast<unsigned>(version >> 8), static_cast<unsigned>(version & 0xFF));
}

DeviceImages::DeviceImages(std::string programDirectory, MessageLog& log, Prompt& prompt, DeviceSelectionView& view,
                           const DeviceCatalogue& catalogue)
    : programDirectory_(std::move(programDirectory)), log_(log), prompt_(prompt), view_(view), catalogue_(catalogue) {}

std::string DeviceImages::DeviceDirectory() const { return programDirectory_ + kPathSeparator + "Device"; }

bool DeviceImages::ScanDeviceImages() {
  files_.clear();
  const ImageDirectoryListing listing = ListImageDirectory(DeviceDirectory());
  if (listing.openError) {
    log_.LogMessage("Invalid file handle. Error is %u\r\n", static_cast<unsigned>(listing.openError.value()));
    return false;
  }
  for (std::size_t i = 0; i < listing.names.size() && i < kMaxImageFiles; ++i) ListImage(i, listing.names[i]);
  if (listing.names.size() > kMaxImageFiles) {
    log_.LogMessage("Too many device images: the first %u of %u are listed.\r\n",
                    static_cast<unsigned>(kMaxImageFiles), static_cast<unsigned>(listing.names.size()));
  }
  if (listing.nextError) {
    log_.LogMessage("FindNextFile error. Error is %u\r\n", static_cast<unsigned>(listing.nextError.value()));
    return false;
  }
  return true;
}

void DeviceImages::ListImage(std::size_t index, const std::string& fileName) {
  view_.AddDeviceName(NameWithoutExtension(fileName));
  log_.LogMessage(index == 0 ? "First file name is %s\r\n" : "Next file name is %s\r\n", fileName.c_str());
  files_.push_back(fileName);
}

std::string DeviceImages::ImagePath(const std::string& fileName) const {
  return DeviceDirectory() + kPathSeparator + fileName;
}

bool DeviceImages::OpenImage(const std::string& path, std::ifstream& in) {
  log_.LogMessage("Load Binary File Name = %s\r\n", path.c_str());
  std::error_code ec;
  const std::filesystem::path file = Utf8Path(path);
  if (std::filesystem::is_regular_file(file, ec)) in.open(file, std::ios::binary);
  if (in.is_open()) return true;
  prompt_.Tell(ApplicationBox("Cannot Open File!"));
  log_.LogText("Cannot Open File!\r\n");
  return false;
}

bool DeviceImages::LoadDeviceImage(const std::string& fileName) {
  const std::string path = ImagePath(fileName);
  std::ifstream in;
  if (!OpenImage(path, in)) return false;
  const std::uint64_t size = StreamSize(in);
  log_.LogMessage(" ☞<%s> File Size = %d\r\n", path.c_str(), static_cast<int>(std::min(size, kMaxImageBytes)));

  if (!ReadImage(in, size)) {
    DropImage();
    prompt_.Tell(ApplicationBox("Failed to read file!"));
    log_.LogText("Failed to read file!");
    return false;
  }
  return true;
}

// The previous image is released first; a failed read keeps none. An image
// too short to carry its header counts as a failed read.
bool DeviceImages::ReadImage(std::istream& in, std::uint64_t size) {
  DropImage();
  if (size < kHeaderSize || size > kMaxImageBytes) return false;
  try {
    image_.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  in.read(reinterpret_cast<char*>(image_.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uint64_t>(in.gcount()) != size) return false;
  hasImage_ = true;
  return true;
}

void DeviceImages::DropImage() {
  std::vector<std::uint8_t>().swap(image_);
  hasImage_ = false;
}

bool DeviceImages::SelectDeviceImage(int comboIndex) {
  const bool listed = comboIndex >= 0 && static_cast<std::size_t>(comboIndex) < files_.size();
  const std::string fileName = listed ? files_[static_cast<std::size_t>(comboIndex)] : std::string();
  if (!LoadDeviceImage(fileName)) {
    prompt_.Tell(ApplicationBox("Binary File Can't Select!"));
    log_.LogMessage("Binary File < %s > Read Fail!\r\n", fileName.c_str());
    view_.SetSelectionStatus(FormatText(" Device < %s > can't select!", fileName.c_str()));
    return false;
  }
  log_.LogMessage("Binary File < %s > Selected!\r\n", fileName.c_str());
  view_.SetSelectionStatus(FormatText(" Device < %s > is selected!", fileName.c_str()));

  selected_.number = U16At(image_, 0);
  selected_.version = U16At(image_, 2);
  const DeviceRecord& record = catalogue_.DeviceAt(catalogue_.FindDevice(selected_.number));
  view_.SetDeviceStatus(" [" + record.name + "] - Version " + FormatDeviceVersion(selected_.version));
  TakeDevice(record);
  return true;
}

std::optional<ImageHeader> DeviceImages::ReadImageHeader(const std::string& fileName) {
  std::ifstream in;
  if (!OpenImage(ImagePath(fileName), in)) return std::nullopt;
  // Eight bytes are read as always; a shorter file is fine as long as it
  // holds the header, the only part the views use.
  std::array<std::uint8_t, 8> bytes{};
  in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
  if (static_cast<std::size_t>(in.gcount()) < kHeaderSize) {
    prompt_.Tell(ApplicationBox("Failed to read file!"));
    log_.LogMessage("Failed to read file! -> <%s>\r\n", fileName.c_str());
    return std::nullopt;
  }
  return ImageHeader{U16At(bytes, 0), U16At(bytes, 2)};
}

void DeviceImages::TakeDevice(const DeviceRecord& record) {
  selected_.name = record.name;
  selected_.sectorSizeKb = record.sectorSizeKb;
  selected_.flashSizeKb = record.flashSizeKb;
  selected_.chipId = record.chipId;
  selected_.flashMakerId = record.flashMakerId;
  selected_.flashDeviceId = record.flashDeviceId;
}

}  // namespace vantrell
