#include "core/update/manifest.h"

#include <algorithm>

#include <pugixml.hpp>

#include "core/update/version_order.h"

namespace vantrell {

std::optional<Manifest> ParseManifest(std::string_view document) {
  pugi::xml_document xml;
  if (!xml.load_buffer(document.data(), document.size())) return std::nullopt;
  Manifest manifest;
  for (const pugi::xpath_node& node : xml.select_nodes("//file")) {
    const pugi::xml_node file = node.node();
    manifest.push_back({file.attribute("name").value(), file.attribute("version").value(),
                        file.attribute("exec").value()});
  }
  return manifest;
}

bool ListsAtLeast(const Manifest& manifest, std::string_view name, std::string_view version) {
  return std::any_of(manifest.begin(), manifest.end(), [&](const ManifestEntry& entry) {
    return entry.name == name && VersionAtLeast(entry.version, version);
  });
}

}  // namespace vantrell
