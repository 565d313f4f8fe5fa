// Writes the device list the program is built with, as the bytes of its
// resource IDR_DEV_VER, into a file: on Windows the resource compiler puts
// that file into the program as it links it.
// Usage: vantrell_write_device_list <file>
#include <cstdio>
#include <fstream>
#include <vector>

#include "core/devices/device_list_format.h"
#include "core/platform/utf8_path.h"
#include "tools/device_list/builtin_device_list.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
    return 2;
  }
  const auto list = vantrell::tools::BuiltinDeviceList();
  const std::vector<std::string> problems = vantrell::tools::DeviceListProblems(list);
  for (const std::string& problem : problems) std::fprintf(stderr, "device list: %s\n", problem.c_str());
  if (!problems.empty()) return 1;
  const std::vector<std::uint8_t> bytes = vantrell::EncodeDeviceList(list);
  std::ofstream out(vantrell::Utf8Path(argv[1]), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
