// Appends the program's resource table to the linked program file, after
// every link. Usage: vantrell_resource_embedder <program file> [<id>=<file>]...
//
// The device list (IDR_DEV_VER) is always carried. Further resources come
// as files from the build: the companion tools IDR_DEV_UPDATE (149) and
// IDR_AUTO_UPDATE (158) join here as "149=<file>" and "158=<file>".
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/devices/device_list_format.h"
#include "core/platform/resource_table.h"
#include "tools/device_list/builtin_device_list.h"

namespace {

using vantrell::ResourceMap;

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// "<id>=<file>" into the map; false with a message when it is not one.
bool AddFileResource(const std::string& argument, ResourceMap& resources) {
  const std::size_t eq = argument.find('=');
  char* end = nullptr;
  const unsigned long id = eq == std::string::npos ? 0 : std::strtoul(argument.c_str(), &end, 10);
  if (eq == std::string::npos || end != argument.c_str() + eq || id == 0 || id == vantrell::kIdrDevVer) {
    std::fprintf(stderr, "expected <id>=<file> with an id other than %u: %s\n", vantrell::kIdrDevVer, argument.c_str());
    return false;
  }
  if (!ReadFile(argument.substr(eq + 1), resources[static_cast<std::uint32_t>(id)])) {
    std::fprintf(stderr, "cannot read %s\n", argument.substr(eq + 1).c_str());
    return false;
  }
  return true;
}

std::optional<ResourceMap> ProgramResources(int argc, char** argv) {
  const auto list = vantrell::tools::BuiltinDeviceList();
  bool ok = true;
  for (const std::string& problem : vantrell::tools::DeviceListProblems(list)) {
    std::fprintf(stderr, "device list: %s\n", problem.c_str());
    ok = false;
  }
  ResourceMap resources{{vantrell::kIdrDevVer, vantrell::EncodeDeviceList(list)}};
  for (int i = 2; i < argc; ++i) ok = AddFileResource(argv[i], resources) && ok;
  if (!ok) return std::nullopt;
  return resources;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <program file> [<id>=<file>]...\n", argv[0]);
    return 2;
  }
  const std::optional<ResourceMap> resources = ProgramResources(argc, argv);
  if (!resources) return 1;
  std::string error;
  if (!vantrell::AppendResources(argv[1], *resources, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
