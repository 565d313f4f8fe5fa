// The update manifests (remote and local) and what the check does with
// their texts: the XML reader, the version order and the names it turns into
// paths. Every listed entry is found again by its own name and version, the
// order is reflexive and total, and no name that climbs out or is absolute
// ever becomes a path.
#include <filesystem>

#include "core/update/manifest.h"
#include "core/update/path_safety.h"
#include "core/update/version_order.h"
#include "fuzz_support.h"

namespace vantrell {
namespace {

void CheckVersions(const std::string& a, const std::string& b) {
  FUZZ_CHECK(VersionAtLeast(a, a));
  FUZZ_CHECK(VersionAtLeast(a, b) || VersionAtLeast(b, a));
}

void CheckName(const std::string& name) {
  static const std::string directory = [] {
    const std::string d = fuzz::ScratchPath("installed");
    std::filesystem::create_directories(d);
    return d;
  }();
  const auto path = PathInsideDirectory(directory, name);
  if (!path) return;
  FUZZ_CHECK(!name.empty() && name[0] != '/' && name.find("..") == std::string::npos);
  FUZZ_CHECK(name.find('\\') == std::string::npos && name.find('\0') == std::string::npos);
  FUZZ_CHECK(path->rfind(directory + "/", 0) == 0);
}

}  // namespace
}  // namespace vantrell

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace vantrell;
  FuzzedDataProvider data(bytes, size);
  const std::string a = data.ConsumeRandomLengthString(24);
  const std::string b = data.ConsumeRandomLengthString(24);
  CheckVersions(a, b);
  CheckName(a);
  const std::string document = data.ConsumeRemainingBytesAsString();
  const auto manifest = ParseManifest(document);
  if (!manifest) return 0;
  FUZZ_CHECK(document.size() <= kMaxManifestBytes);
  for (const ManifestEntry& entry : *manifest) {
    if (entry.IsUsable()) FUZZ_CHECK(ListsAtLeast(*manifest, entry.name, entry.version));
    CheckName(entry.name);
    CheckVersions(entry.version, b);
  }
  return 0;
}
