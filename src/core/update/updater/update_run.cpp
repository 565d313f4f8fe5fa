#include "core/update/updater/update_run.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "core/platform/detached_process.h"
#include "core/platform/replacement_file.h"
#include "core/platform/resource_table.h"
#include "core/platform/utf8_path.h"
#include "core/text/format.h"
#include "core/update/installed_files.h"
#include "core/update/manifest_fetcher.h"
#include "core/update/update_address.h"
#include "core/update/updater/file_download.h"
#include "core/update/updater/updater_view.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

// Downloads fill the bar up to here; the renames and the rest take the last part.
constexpr int kDownloadedPercent = 90;

std::optional<Manifest> LocalManifest(const std::string& directory) {
  const auto document = DiskInstalledFiles().Read(PathUtf8(Utf8Path(directory) / kManifestFileName), kMaxManifestBytes);
  return document ? ParseManifest(*document) : std::nullopt;
}

int OverallPercent(std::size_t index, std::size_t count, std::uint64_t received, std::uint64_t announced) {
  const std::uint64_t file = announced > 0 ? std::min<std::uint64_t>(received * 100 / announced, 100) : 0;
  return static_cast<int>((index * 100 + file) * kDownloadedPercent / (count * 100));
}

}  // namespace

// The fetched files, each in its new file beside the one it replaces, until
// they are all put in place; whatever is not put in place is dropped.
class Updater::Staging {
 public:
  Staging(Updater& updater, const std::vector<PlannedFile>& files) : updater_(updater), files_(files) {}

  // Fetches every file; false at the first that does not arrive whole.
  bool FetchAll() {
    for (std::size_t i = 0; i < files_.size(); ++i) {
      if (!Fetch(i)) return false;
    }
    return true;
  }

  // Renames every file over its old version; false when any rename failed
  // (the others are still made).
  bool PutInPlace() {
    bool all = true;
    for (std::size_t i = 0; i < files_.size(); ++i) {
      const PlannedFile& file = files_[i];
      if (staged_[i]->Commit()) {
        updater_.view_.Log("Updated: " + file.name + " (" + file.version + ")");
      } else {
        updater_.view_.Log("Failed: " + file.name + ": " + staged_[i]->Error());
        all = false;
      }
    }
    return all;
  }

 private:
  bool Fetch(std::size_t index) {
    const PlannedFile& file = files_[index];
    UpdaterView& view = updater_.view_;
    view.ShowStatus(FormatText("Downloading %s (%zu/%zu)...", file.name.c_str(), index + 1, files_.size()));
    std::error_code ec;
    fs::create_directories(Utf8Path(file.path).parent_path(), ec);
    staged_.push_back(std::make_unique<ReplacementFile>(file.path));
    const auto progress = [&](std::uint64_t received, std::uint64_t announced) {
      view.ShowProgress(OverallPercent(index, files_.size(), received, announced));
      return !updater_.stop_.IsCancelled();
    };
    const std::string failure =
        DownloadFile(ServerFileUrl(file.name), *staged_.back(), updater_.settings_.fileLimits, progress);
    if (failure.empty()) return true;
    view.Log("Failed: " + file.name + ": " + failure);
    return false;
  }

  Updater& updater_;
  const std::vector<PlannedFile>& files_;
  std::vector<std::unique_ptr<ReplacementFile>> staged_;
};

UpdaterSettings UpdaterSettingsFor(const std::string& directory, const std::string& ownFile) {
  UpdaterSettings settings;
  settings.place = {directory, ProgramFilePath(directory), ownFile};
  return settings;
}

Updater::Updater(UpdaterSettings settings, ManifestFetcher& manifests, UpdaterView& view, CancellationToken stop)
    : settings_(std::move(settings)), manifests_(manifests), view_(view), stop_(std::move(stop)) {}

UpdateOutcome Updater::Run() {
  view_.ShowProgress(0);
  if (!WaitForProgramToEnd()) return UpdateOutcome::ProgramStillRunning;
  std::string publishedDocument;
  const std::optional<Manifest> published = Fetch(kManifestFileName, &publishedDocument);
  const std::optional<Manifest> deletions = published ? Fetch(kDeleteListFileName) : std::nullopt;
  if (!deletions) return UpdateOutcome::Failed;

  const UpdatePlan plan =
      PlanUpdate(*published, LocalManifest(settings_.place.programDirectory), *deletions, settings_.place);
  for (const std::string& refusal : plan.refusals) view_.Log(refusal);
  problems_ = !plan.refusals.empty();
  if (!Install(plan)) return stop_.IsCancelled() ? UpdateOutcome::Stopped : UpdateOutcome::Failed;
  Delete(plan);
  if (!RecordManifest(publishedDocument)) problems_ = true;
  return Finish();
}

bool Updater::WaitForProgramToEnd() {
  const std::string& program = settings_.place.programFile;
  if (!settings_.isRunning(program)) return true;
  view_.ShowStatus(FormatText("Waiting for %s to end...", kProgramFileName));
  if (WaitUntilProgramEnds(program, settings_.programEndWait, settings_.isRunning)) return true;
  const std::string text = FormatText("%s is still running. Close it, then start the update again.", kProgramFileName);
  view_.ShowStatus(text);
  view_.Log(text);
  return false;
}

// A document that cannot be fetched whole, or is no well-formed list, stops
// the update before anything has changed.
std::optional<Manifest> Updater::Fetch(const char* fileName, std::string* document) {
  view_.ShowStatus(FormatText("Reading %s...", fileName));
  const std::string url = ServerFileUrl(fileName);
  const std::optional<std::string> fetched = manifests_.Fetch(url);
  std::optional<Manifest> list = fetched ? ParseManifest(*fetched) : std::nullopt;
  if (!list) {
    view_.Log(FormatText("Failed: %s could not be read from %s", fileName, url.c_str()));
    view_.ShowStatus(FormatText("Could not read %s from the update server. No file was changed.", fileName));
  } else if (document) {
    *document = *fetched;
  }
  return list;
}

bool Updater::Install(const UpdatePlan& plan) {
  Staging staging(*this, plan.downloads);
  if (!staging.FetchAll() || stop_.IsCancelled()) {
    view_.ShowStatus(stop_.IsCancelled() ? "Update stopped. No file was changed."
                                         : "Update failed. No file was changed.");
    return false;
  }
  // The files are all here; the program must not run while they change.
  if (!WaitForProgramToEnd()) return false;
  view_.ShowStatus("Installing...");
  view_.ShowProgress(kDownloadedPercent);
  if (staging.PutInPlace()) return true;
  view_.ShowStatus("Update failed: some files could not be replaced; see the list.");
  return false;
}

void Updater::Delete(const UpdatePlan& plan) {
  for (const PlannedFile& file : plan.deletions) {
    std::error_code ec;
    if (fs::remove(Utf8Path(file.path), ec)) {
      view_.Log("Deleted: " + file.name);
    } else {
      view_.Log("Failed: " + file.name + " could not be deleted: " + ec.message());
      problems_ = true;
    }
  }
}

bool Updater::RecordManifest(const std::string& document) {
  ReplacementFile local(PathUtf8(Utf8Path(settings_.place.programDirectory) / kManifestFileName));
  if (local.Write(document.data(), document.size()) && local.Commit()) return true;
  view_.Log(FormatText("Failed: %s could not be written: %s", kManifestFileName, local.Error().c_str()));
  return false;
}

UpdateOutcome Updater::Finish() {
  view_.ShowProgress(100);
  view_.ShowStatus(FormatText("Starting %s...", kProgramFileName));
  if (!StartDetached(settings_.place.programFile)) {
    view_.Log(FormatText("Failed: %s could not be started", kProgramFileName));
    problems_ = true;
  }
  view_.ShowStatus(problems_ ? "Update complete, with problems; see the list." : "Update complete.");
  return problems_ ? UpdateOutcome::UpdatedWithProblems : UpdateOutcome::Updated;
}

}  // namespace vantrell
