#include "cli/host/job_arguments.h"

#include <limits>

#include "core/common/prompt.h"
#include "core/link/message_log.h"
#include "core/program/job/download_list.h"
#include "core/program/job/file_checksum.h"
#include "core/text/format.h"

namespace vantrell::cli {
namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Keeps the first box it is shown and answers it; shows nothing.
class FirstBox final : public Prompt {
 public:
  BoxAnswer Show(const PromptMessage& message) override {
    if (!text) text = message.text;
    return BoxAnswer::Ok;
  }
  std::optional<std::string> text;
};

}  // namespace

std::optional<FileArgument> ParseFileArgument(const std::string& text, std::string& error) {
  FileArgument file{text, 0};
  const std::size_t at = text.find_last_of('@');
  const std::string sector = at == std::string::npos ? std::string() : text.substr(at + 1);
  const bool negative = sector.size() > 1 && sector[0] == '-' && AllDigits(sector.substr(1));
  if (negative || AllDigits(sector)) {
    if (negative || sector.size() > 10 || std::stoull(sector) > std::numeric_limits<std::int32_t>::max()) {
      error = "start sector out of range in \"" + text + "\"";
      return std::nullopt;
    }
    file = {text.substr(0, at), static_cast<std::int32_t>(std::stoul(sector))};
  }
  if (file.path.empty()) {
    error = "no file named in \"" + text + "\"";
    return std::nullopt;
  }
  return file;
}

std::string UnreadableFile(const std::vector<FileArgument>& files) {
  for (const FileArgument& file : files) {
    if (!OpenExistingFile(file.path).is_open()) return "cannot read \"" + file.path + "\"";
  }
  return {};
}

DownloadJob BuildJob(const std::vector<FileArgument>& files, const SelectedDevice& device, Prompt& prompt) {
  DownloadList list(prompt);
  std::vector<std::string> paths;
  for (const FileArgument& file : files) paths.push_back(file.path);
  list.AddFiles(paths);
  for (std::size_t row = 0; row < files.size(); ++row) {
    list.AcceptSectorEdit(static_cast<int>(row), kSectorColumn, std::to_string(files[row].sector));
  }
  list.ComputeChecksums(FlashGeometry(device).flashBytes);
  list.SortByStartSector();
  DownloadJob job;
  list.BuildDownloadJob(job);
  return job;
}

std::optional<std::string> JobRefusal(const DownloadJob& job, const SelectedDevice& device, DownloadJobSizes& sizes) {
  FirstBox box;
  MessageLog unopened;  // the run logs its own validation; this one is silent
  if (ValidateDownloadJob(job, device, box, unopened, sizes)) return std::nullopt;
  return box.text.value_or("the job was refused");
}

std::string FileBeyondFlash(const DownloadJob& job, const DownloadJobSizes& sizes, const SelectedDevice& device) {
  const FlashGeometry flash(device);
  for (std::size_t k = 0; k < job.FileCount() && k < sizes.fileBytes.size(); ++k) {
    const auto first = static_cast<std::uint64_t>(static_cast<std::uint32_t>(job.sectors[k]));
    const std::uint64_t covered = flash.SectorsCovered(sizes.fileBytes[k]);
    if (first + covered <= flash.sectorCount) continue;
    return FormatText("\"%s\" does not fit: it covers sectors %llu~%llu, the flash has 0~%llu", job.paths[k].c_str(),
                      static_cast<unsigned long long>(first), static_cast<unsigned long long>(first + covered - 1),
                      static_cast<unsigned long long>(flash.sectorCount - 1));
  }
  return {};
}

}  // namespace vantrell::cli
