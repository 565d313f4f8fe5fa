#include "core/update/updater/updater_staging_targets.h"

#include <fstream>
#include <optional>

#include "core/platform/resource_table.h"
#include "core/platform/utf8_path.h"
#include "core/update/manifest.h"
#include "core/update/path_safety.h"
#include "core/update/update_address.h"

namespace vantrell {

std::vector<std::string> UpdaterStagingTargets(const std::string& programDirectory) {
  const std::string manifestPath = PathUtf8(Utf8Path(programDirectory) / kManifestFileName);
  std::vector<std::string> targets{ProgramFilePath(programDirectory), manifestPath};
  std::ifstream file(Utf8Path(manifestPath), std::ios::binary);
  // Read no further than a manifest may reach: the file is untrusted.
  std::string document(kMaxManifestBytes + 1, '\0');
  file.read(document.data(), static_cast<std::streamsize>(document.size()));
  document.resize(static_cast<std::size_t>(file.gcount()));
  if (document.size() > kMaxManifestBytes) return targets;
  if (const std::optional<Manifest> manifest = ParseManifest(document)) {
    for (const ManifestEntry& entry : *manifest) {
      if (std::optional<std::string> path = PathInsideDirectory(programDirectory, entry.name)) {
        targets.push_back(std::move(*path));
      }
    }
  }
  return targets;
}

}  // namespace vantrell
