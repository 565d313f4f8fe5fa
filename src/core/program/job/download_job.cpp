#include "core/program/job/download_job.h"

#include <algorithm>
#include <optional>

#include "core/common/prompt.h"
#include "core/devices/device_record.h"
#include "core/link/message_log.h"
#include "core/program/job/file_checksum.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr const char* kAskForStartSector = "Start Sector Number를 기입하시오!";
constexpr const char* kStartSectorOverLog = "Start Sector Number is over!\r\n";

// One box, then its log lines once the operator has dismissed it.
class FailureReport {
 public:
  FailureReport(Prompt& prompt, MessageLog& log) : prompt_(prompt), log_(log) {}

  bool StartBeyondFlash(std::uint64_t sectorCount) {
    const long long lastSector = static_cast<long long>(sectorCount) - 1;
    prompt_.Tell(ApplicationBox(std::string(kAskForStartSector) + " (" + FormatText("0~%lld", lastSector) + ")"));
    log_.LogText(kStartSectorOverLog);
    return false;
  }

  bool StartInsidePreviousFile(std::size_t k, std::uint64_t nextFree) {
    prompt_.Tell(ApplicationBox(std::string(kAskForStartSector) +
                                FormatText("\r\n(%zu번째 Write File의 Start Sector Number는 %llu 이상이어야 함!!!)", k,
                                           static_cast<unsigned long long>(nextFree))));
    log_.LogText(kStartSectorOverLog);
    log_.LogMessage("\t%zu번째 Write File의 Start Sector Number는 %llu 이상이어야 함!!!\r\n\r\n", k,
                    static_cast<unsigned long long>(nextFree));
    return false;
  }

  bool CannotOpen(const std::string& path) {
    prompt_.Tell(ApplicationBox("Cannot Open File!"));
    log_.LogMessage("Cannot Open File! <- %s\r\n", path.c_str());
    return false;
  }

  bool FileTooLarge(std::uint64_t fileBytes, std::uint64_t flashBytes) {
    prompt_.Tell(ApplicationBox("Download File Size is over!"));
    log_.LogText("Download File Size is over!\r\n");
    log_.LogMessage("  -> File Size = %llu, Internal Flash Size = %llu\r\n",
                    static_cast<unsigned long long>(fileBytes), static_cast<unsigned long long>(flashBytes));
    return false;
  }

  bool TotalTooLarge() {
    prompt_.Tell(ApplicationBox("Download File's Total Size is over!"));
    log_.LogText("Download File's Total Size is over!\r\n");
    return false;
  }

 private:
  Prompt& prompt_;
  MessageLog& log_;
};

// The size of the file as opened now; empty when it cannot be opened. The
// file is closed again before returning.
std::optional<std::uint64_t> OpenedFileSize(const std::string& path) {
  std::ifstream file = OpenExistingFile(path);
  if (!file.is_open()) return std::nullopt;
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  if (!file || end < 0) return std::nullopt;
  return static_cast<std::uint64_t>(end);
}

}  // namespace

FlashGeometry::FlashGeometry(const SelectedDevice& device)
    : sectorBytes(std::uint64_t{device.sectorSizeKb} * 1024),
      flashBytes(std::uint64_t{device.flashSizeKb} * 1024),
      sectorCount(sectorBytes == 0 ? 0 : flashBytes / sectorBytes) {}

std::uint64_t FlashGeometry::SectorsCovered(std::uint64_t fileBytes) const {
  if (sectorBytes == 0) return 0;
  return fileBytes / sectorBytes + (fileBytes % sectorBytes != 0 ? 1 : 0);
}

bool ValidateDownloadJob(const DownloadJob& job, const SelectedDevice& device, Prompt& prompt, MessageLog& log,
                         DownloadJobSizes& sizes) {
  sizes = {};
  const FlashGeometry flash(device);
  FailureReport report(prompt, log);
  std::uint64_t nextFree = 0;
  const std::size_t count = std::min(job.paths.size(), job.sectors.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t k = i + 1;
    // A negative sector reads as a huge one and so is out of range.
    const std::uint64_t start = static_cast<std::uint32_t>(job.sectors[i]);
    if (start >= flash.sectorCount) return report.StartBeyondFlash(flash.sectorCount);
    if (start < nextFree) return report.StartInsidePreviousFile(k, nextFree);

    const std::string& path = job.paths[i];
    const std::optional<std::uint64_t> fileBytes = OpenedFileSize(path);
    if (!fileBytes) return report.CannotOpen(path);
    log.LogMessage(" ☞ File Size = %llu\r\n", static_cast<unsigned long long>(*fileBytes));
    if (*fileBytes > flash.flashBytes) return report.FileTooLarge(*fileBytes, flash.flashBytes);

    sizes.fileBytes.push_back(*fileBytes);
    sizes.totalBytes += *fileBytes;
    nextFree = start + flash.SectorsCovered(*fileBytes);
  }
  if (sizes.totalBytes > flash.flashBytes) return report.TotalTooLarge();
  return true;
}

bool ValidateDownloadJob(const DownloadJob& job, const SelectedDevice& device, Prompt& prompt, MessageLog& log) {
  DownloadJobSizes sizes;
  return ValidateDownloadJob(job, device, prompt, log, sizes);
}

}  // namespace vantrell
