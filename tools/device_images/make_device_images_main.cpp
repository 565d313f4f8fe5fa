// Writes the sample device image of every device of the built-in list into
// a directory: vantrell_make_device_images <directory>. Files that already
// hold the same bytes are left untouched, so a rebuild changes nothing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/device_images/sample_image.h"
#include "tools/device_list/builtin_device_list.h"

namespace {

bool HoldsBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> current((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return in.is_open() && current == bytes;
}

bool WriteImage(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  if (HoldsBytes(path, bytes)) return true;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool WriteDeviceImage(const std::filesystem::path& directory, const vantrell::DeviceRecord& record) {
  const auto firmware = vantrell::tools::SampleFirmwareFor(record.number);
  if (!firmware) {
    std::fprintf(stderr, "no sample firmware for device 0x%04X (%s)\n", record.number, record.name.c_str());
    return false;
  }
  const std::filesystem::path path = directory / vantrell::tools::ImageFileName(record.name);
  if (!WriteImage(path, vantrell::tools::MakeSampleImage(record, *firmware))) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  if (ec) {
    std::fprintf(stderr, "cannot create %s: %s\n", directory.string().c_str(), ec.message().c_str());
    return 1;
  }
  bool ok = true;
  for (const vantrell::DeviceRecord& record : vantrell::tools::BuiltinDeviceList()) {
    if (!record.IsTerminator()) ok = WriteDeviceImage(directory, record) && ok;
  }
  return ok ? 0 : 1;
}
