#include "core/program/job/download_list.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>

#include "core/common/prompt.h"
#include "core/platform/utf8_path.h"
#include "core/program/job/file_checksum.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

// The file's name as the file system gives it; empty when it can't be opened.
std::string FileNameIfOpenable(const std::string& path) {
  if (!OpenExistingFile(path).is_open()) return {};
  const std::u8string name = Utf8Path(path).filename().u8string();
  return std::string(name.begin(), name.end());
}

std::string RowNumber(std::size_t index) { return FormatText("%zu", index + 1); }

}  // namespace

std::int32_t ParseStartSector(std::string_view text) {
  std::size_t i = SkipBlanks(text, 0);
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && IsSign(text[i])) ++i;
  // The magnitude may reach 2^31, so that the 32-bit minimum fits too.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

bool IsSectorTextAcceptable(std::string_view text) {
  if (text.empty()) return true;
  std::size_t i = SkipBlanks(text, 0);
  if (i < text.size() && IsSign(text[i])) ++i;
  const std::size_t firstDigit = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i > firstDigit && i == text.size();
}

bool DownloadList::AllEnabled() const {
  return std::all_of(rows_.begin(), rows_.end(), [](const DownloadRow& row) { return row.enabled; });
}

void DownloadList::AddFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  for (const std::string& path : paths) {
    DownloadRow row;
    row.number = RowNumber(rows_.size());
    row.fileName = FileNameIfOpenable(path);
    row.path = path;
    rows_.push_back(std::move(row));
  }
  checksumsCurrent_ = false;
  hasFiles_ = true;
}

void DownloadList::RemoveSelectedFiles(const std::vector<std::size_t>& selected) {
  std::vector<std::size_t> doomed(selected);
  std::sort(doomed.begin(), doomed.end());
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  // Highest index first, so the lower indexes still name the same rows.
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    if (*it < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  BecomeEmptyIfNoRows();
}

void DownloadList::RemoveAllFiles() {
  rows_.clear();
  BecomeEmptyIfNoRows();
}

void DownloadList::BecomeEmptyIfNoRows() {
  if (!rows_.empty()) return;
  checksumsCurrent_ = false;
  hasFiles_ = false;
}

bool DownloadList::AcceptSectorEdit(int row, int column, const std::string& text) {
  if (column != kSectorColumn) return true;
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return false;
  if (!IsSectorTextAcceptable(text)) {
    prompt_.Tell(ApplicationBox("Wrong Number!!!\r\n\r\nCheck Download Address!"));
    return false;
  }
  rows_[static_cast<std::size_t>(row)].sector = text;
  return true;
}

void DownloadList::OnEnableClicked(int row, int column) {
  if (column != kEnableColumn) return;
  if (row == kHeaderRow) {
    const bool enableAll = !AllEnabled();
    for (DownloadRow& each : rows_) each.enabled = enableAll;
    return;
  }
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  DownloadRow& clicked = rows_[static_cast<std::size_t>(row)];
  clicked.enabled = !clicked.enabled;
}

void DownloadList::ComputeChecksums(std::uint64_t largestFileBytes) {
  if (checksumsCurrent_) return;
  for (DownloadRow& row : rows_) {
    std::error_code sizeUnknown;
    const std::uintmax_t bytes = std::filesystem::file_size(Utf8Path(row.path), sizeUnknown);
    if (!sizeUnknown && bytes > largestFileBytes) {
      row.checksum.clear();
      continue;
    }
    const std::optional<std::uint32_t> checksum = FileChecksum(row.path);
    if (checksum) {
      row.checksum = ChecksumText(*checksum);
    } else {
      prompt_.Tell(ApplicationBox("Cannot Open File!"));
      row.checksum.clear();
    }
  }
  checksumsCurrent_ = true;
}

std::vector<DownloadEntry> DownloadList::EntriesWhere(bool enabled) const {
  std::vector<DownloadEntry> entries;
  for (const DownloadRow& row : rows_) {
    if (row.enabled != enabled) continue;
    entries.push_back({ParseStartSector(row.sector), row.fileName, row.checksum, row.path});
  }
  return entries;
}

void DownloadList::SortByStartSector() {
  std::vector<DownloadEntry> enabled = EntriesWhere(true);
  const std::vector<DownloadEntry> disabled = EntriesWhere(false);
  std::stable_sort(enabled.begin(), enabled.end(), [](const DownloadEntry& a, const DownloadEntry& b) {
    return a.startSector < b.startSector;
  });
  Rebuild(enabled, disabled);
}

void DownloadList::Rebuild(const std::vector<DownloadEntry>& enabled, const std::vector<DownloadEntry>& disabled) {
  rows_.clear();
  auto append = [this](const DownloadEntry& entry, bool isEnabled) {
    DownloadRow row;
    row.number = RowNumber(rows_.size());
    row.enabled = isEnabled;
    row.sector = FormatText("%d", static_cast<int>(entry.startSector));
    row.fileName = entry.fileName;
    row.checksum = entry.checksum;
    row.path = entry.path;
    rows_.push_back(std::move(row));
  };
  for (const DownloadEntry& entry : enabled) append(entry, true);
  for (const DownloadEntry& entry : disabled) append(entry, false);
}

std::size_t DownloadList::BuildDownloadJob(DownloadJob& job) const {
  job = {};
  for (const DownloadRow& row : rows_) {
    if (!row.enabled) continue;
    job.sectors.push_back(ParseStartSector(row.sector));
    job.checksums.push_back(ParseChecksumText(row.checksum));
    job.paths.push_back(row.path);
  }
  return job.FileCount();
}

void DownloadList::SetProgress(std::size_t row, int percent) {
  if (row >= rows_.size()) return;
  rows_[row].progress = std::clamp(percent, 0, 100);
}

}  // namespace vantrell
