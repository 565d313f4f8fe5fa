#pragma once
// The update manifest: an XML document listing files with their versions.
// Only the "file" elements count, at any depth, in document order; of each
// the attributes "name" (path relative to the program directory, "/" as
// separator), "version" and "exec". A missing attribute reads as empty.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrell {

// Largest manifest read, remote or local; a larger one counts as unreadable.
inline constexpr std::size_t kMaxManifestBytes = 1024 * 1024;

struct ManifestEntry {
  std::string name;
  std::string version;
  std::string exec;  // read, never used

  // An entry the check looks at: one with a name and a version.
  bool IsUsable() const { return !name.empty() && !version.empty(); }
};

using Manifest = std::vector<ManifestEntry>;

// The document's "file" elements; nothing when it is not well-formed XML.
std::optional<Manifest> ParseManifest(std::string_view document);

// Whether the manifest lists a file under exactly this name whose version is
// at least the given one (see VersionAtLeast).
bool ListsAtLeast(const Manifest& manifest, std::string_view name, std::string_view version);

}  // namespace vantrell
