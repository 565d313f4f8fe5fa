#include "core/update/updater/update_plan.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/utf8_path.h"
#include "core/update/installed_files.h"
#include "core/update/path_safety.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return a == b || fs::equivalent(Utf8Path(a), Utf8Path(b), ec);
}

bool Names(const std::vector<PlannedFile>& files, const std::string& path) {
  return std::any_of(files.begin(), files.end(), [&](const PlannedFile& file) { return SameFile(file.path, path); });
}

class Planner {
 public:
  Planner(const UpdatePlace& place, const std::optional<Manifest>& local) : place_(place), local_(local) {}

  void Publish(const ManifestEntry& entry) {
    if (!entry.IsUsable()) return;
    const std::optional<std::string> path = SafePath(entry.name);
    if (!path || Names(published_, *path)) return;
    published_.push_back({entry.name, entry.version, *path});
    if (SameFile(*path, place_.ownFile)) return Refuse("Skipped: " + entry.name + " is the updater itself");
    if (!IsCurrent(entry, *path)) plan_.downloads.push_back(published_.back());
  }

  void Delete(const ManifestEntry& entry) {
    if (entry.name.empty()) return;
    const std::optional<std::string> path = SafePath(entry.name);
    if (!path || Names(plan_.deletions, *path)) return;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(Utf8Path(*path), ec))) return;
    if (SameFile(*path, place_.ownFile)) return Refuse("Kept: " + entry.name + " is the updater itself");
    if (SameFile(*path, place_.programFile)) return Refuse("Kept: " + entry.name + " is the program itself");
    if (Names(published_, *path)) return Refuse("Kept: " + entry.name + " is a published file");
    if (!fs::is_regular_file(Utf8Path(*path), ec)) return Refuse("Refused: " + entry.name + " is not a file");
    plan_.deletions.push_back({entry.name, {}, *path});
  }

  UpdatePlan Take() { return std::move(plan_); }

 private:
  std::optional<std::string> SafePath(const std::string& name) {
    std::optional<std::string> path = PathInsideDirectory(place_.programDirectory, name);
    if (!path) Refuse("Refused: \"" + name + "\" could lead outside the program directory");
    return path;
  }
  bool IsCurrent(const ManifestEntry& entry, const std::string& path) {
    return DiskInstalledFiles().IsPresent(path) && local_ && ListsAtLeast(*local_, entry.name, entry.version);
  }
  void Refuse(std::string line) { plan_.refusals.push_back(std::move(line)); }

  const UpdatePlace& place_;
  const std::optional<Manifest>& local_;
  std::vector<PlannedFile> published_;
  UpdatePlan plan_;
};

}  // namespace

UpdatePlan PlanUpdate(const Manifest& published, const std::optional<Manifest>& local, const Manifest& deleteList,
                      const UpdatePlace& place) {
  Planner planner(place, local);
  for (const ManifestEntry& entry : published) planner.Publish(entry);
  for (const ManifestEntry& entry : deleteList) planner.Delete(entry);
  return planner.Take();
}

}  // namespace vantrell
