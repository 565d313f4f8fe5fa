#pragma once
// The download list's content: one row per data file with its enable state,
// start sector, progress, name, checksum and path. The download window shows
// this model in its list control and forwards the operator's actions to it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/program/job/download_job.h"

namespace vantrell {

class Prompt;

inline constexpr std::uint32_t kEnabledRowBackground = 0xFFFFFF;   // white
inline constexpr std::uint32_t kDisabledRowBackground = 0xC8C8C8;  // RGB(200, 200, 200)

// Columns of the list, in order.
enum DownloadColumn : int {
  kNumberColumn = 0,    // "No."
  kEnableColumn = 1,    // "En"
  kSectorColumn = 2,    // "Sector No."
  kProgressColumn = 3,  // "Progress"
  kFileNameColumn = 4,  // "File Name"
  kChecksumColumn = 5,  // "CheckSum"
  kPathColumn = 6,      // "File Path"
};
inline constexpr int kDownloadColumnCount = 7;
// The header check box's row in OnEnableClicked.
inline constexpr int kHeaderRow = -1;

// Controls of the download window that follow whether the list has files:
// Auto, Remove Files, Remove All, Program and Verify go on when files are
// added and off when the list is emptied, and the Total Progress bar (1008)
// shows its percentage exactly while they are on. After AddFiles,
// RemoveSelectedFiles and RemoveAllFiles the window sets them to HasFiles().
inline constexpr std::array<int, 5> kFileControlIds = {1013, 1012, 1028, 1030, 1031};
inline constexpr int kTotalProgressId = 1008;

struct DownloadRow {
  std::string number;        // 1-based, "%d"
  bool enabled = true;       // the "En" check box
  std::string sector = "0";  // start sector as typed
  int progress = 0;          // 0 to 100
  std::string fileName;      // empty when the file could not be opened
  std::string checksum;      // "%08X", empty until computed
  std::string path;

  // Every cell of a row shares this background (0x00BBGGRR).
  std::uint32_t Background() const { return enabled ? kEnabledRowBackground : kDisabledRowBackground; }
};

// A row as sorting sees it.
struct DownloadEntry {
  std::int32_t startSector = 0;
  std::string fileName;
  std::string checksum;
  std::string path;
};

// Sector No. text as a number: leading blanks, an optional sign, then decimal
// digits up to the first other character; no digits give 0. Values beyond
// 32 bits are held at the nearest 32-bit limit.
std::int32_t ParseStartSector(std::string_view text);

// Whether an edited Sector No. text may stand: empty, or optional leading
// blanks, an optional sign and at least one decimal digit, and nothing else.
bool IsSectorTextAcceptable(std::string_view text);

class DownloadList {
 public:
  explicit DownloadList(Prompt& prompt) : prompt_(prompt) {}

  const std::vector<DownloadRow>& Rows() const { return rows_; }
  std::size_t RowCount() const { return rows_.size(); }
  bool HasFiles() const { return hasFiles_; }
  bool ChecksumsCurrent() const { return checksumsCurrent_; }
  // The header check box shows checked when no row is unchecked.
  bool AllEnabled() const;

  // Appends one enabled row per path, in order. A file that cannot be opened
  // still gets its row, with an empty name.
  void AddFiles(const std::vector<std::string>& paths);
  // Deletes the rows at these indexes (others are ignored); the remaining
  // rows keep their numbers until the next sort.
  void RemoveSelectedFiles(const std::vector<std::size_t>& selected);
  void RemoveAllFiles();

  // An in-place edit ended with this text: true when the cell takes it.
  // A refused Sector No. text is reported with a box and the cell keeps its
  // old text. Only the Sector No. column is edited in place; edits of other
  // columns are accepted and change nothing here.
  bool AcceptSectorEdit(int row, int column, const std::string& text);

  // A check box of the list was clicked. For a row (the list has already
  // toggled its box) the row's enable state flips. For the header
  // (kHeaderRow; reported before the list applies it to the rows) every row
  // becomes enabled when any was disabled, else every row becomes disabled.
  void OnEnableClicked(int row, int column);

  // Fills every row's checksum unless they are current; a file that cannot
  // be read is reported with a box and gets an empty checksum. A file larger
  // than largestFileBytes (the flash it would be written to) is not read at
  // all and keeps an empty checksum: the run refuses it by its size, and
  // reading gigabytes first would only keep the operator waiting for that.
  void ComputeChecksums(std::uint64_t largestFileBytes = UINT64_MAX);

  // Enabled rows first, ordered by start sector (equal sectors keep their
  // order), then the disabled rows in their old order; rows are renumbered,
  // their sectors written back as numbers and their progress reset.
  void SortByStartSector();

  // The job of the enabled rows, in list order (the order the last sort
  // gave them); returns the file count.
  std::size_t BuildDownloadJob(DownloadJob& job) const;

  // Moves a row's progress cell (kept within 0 to 100).
  void SetProgress(std::size_t row, int percent);

 private:
  void BecomeEmptyIfNoRows();
  std::vector<DownloadEntry> EntriesWhere(bool enabled) const;
  void Rebuild(const std::vector<DownloadEntry>& enabled, const std::vector<DownloadEntry>& disabled);

  Prompt& prompt_;
  std::vector<DownloadRow> rows_;
  bool hasFiles_ = false;
  bool checksumsCurrent_ = false;
};

}  // namespace vantrell
