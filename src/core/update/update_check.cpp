#include "core/update/update_check.h"

#include <filesystem>
#include <optional>

#include "core/common/prompt.h"
#include "core/platform/utf8_path.h"
#include "core/update/companion_tool.h"
#include "core/update/installed_files.h"
#include "core/update/manifest.h"
#include "core/update/manifest_fetcher.h"
#include "core/update/path_safety.h"
#include "core/update/update_address.h"

namespace vantrell {
namespace {

constexpr const char* kCheckCaption = "<Program Update Check>";

std::optional<Manifest> PublishedManifest(ManifestFetcher& fetcher) {
  const std::optional<std::string> document = fetcher.Fetch(ManifestUrl());
  if (!document) return std::nullopt;
  return ParseManifest(*document);
}

// Read afresh for every entry that needs it. A local manifest that cannot be
// read leaves the entry unconfirmed, so the update is offered.
bool LocalManifestConfirms(const ManifestEntry& entry, const UpdateSources& sources) {
  const std::string path = PathUtf8(Utf8Path(sources.programDirectory) / kManifestFileName);
  const std::optional<std::string> document = sources.files.Read(path, kMaxManifestBytes);
  const std::optional<Manifest> local = document ? ParseManifest(*document) : std::nullopt;
  return local && ListsAtLeast(*local, entry.name, entry.version);
}

bool IsCurrent(const ManifestEntry& entry, const UpdateSources& sources) {
  const std::optional<std::string> path = PathInsideDirectory(sources.programDirectory, entry.name);
  return path && sources.files.IsPresent(*path) && LocalManifestConfirms(entry, sources);
}

}  // namespace

UpdateVerdict JudgeInstallation(const UpdateSources& sources) {
  const std::optional<Manifest> published = PublishedManifest(sources.fetcher);
  if (!published) return UpdateVerdict::ManifestUnavailable;
  bool confirmedAny = false;
  for (const ManifestEntry& entry : *published) {
    if (!entry.IsUsable()) continue;
    if (!IsCurrent(entry, sources)) return UpdateVerdict::Outdated;
    confirmedAny = true;
  }
  return confirmedAny ? UpdateVerdict::Latest : UpdateVerdict::Outdated;
}

bool OnUpdateCheck(const UpdateSources& sources, const CompanionPlace& place, Prompt& prompt) {
  switch (JudgeInstallation(sources)) {
    case UpdateVerdict::ManifestUnavailable:
      prompt.Tell(ApplicationBox("update info can't find!"));
      return false;
    case UpdateVerdict::Latest:
      prompt.Tell(WindowBox(kCheckCaption, "Current Program is the latest."));
      return false;
    case UpdateVerdict::Outdated:
      break;
  }
  if (!prompt.Agrees(Question(kCheckCaption, "Current Program is not the latest.\r\nDo you want to upgrade?"))) {
    return false;
  }
  return LaunchCompanionTool(kUpdater, place, prompt);
}

}  // namespace vantrell
