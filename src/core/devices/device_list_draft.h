#pragma once
// The device list as the device list editor holds it between Load and
// Register: rows of records that the operator edits cell by cell, adds and
// removes. Every edit is checked before it is taken, so the draft can always
// be stored; the terminator record stays last and cannot be edited or removed.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/devices/device_fields.h"
#include "core/devices/device_record.h"

namespace vantrell {

class DeviceListDraft {
 public:
  // An empty draft: nothing loaded yet.
  DeviceListDraft() = default;
  // The loaded list up to its first terminator, which ends the draft (the
  // program never looks past it); a list without one gets one.
  explicit DeviceListDraft(std::vector<DeviceRecord> loaded);

  const std::vector<DeviceRecord>& Records() const { return records_; }
  std::size_t RowCount() const { return records_.size(); }
  bool IsTerminatorRow(std::size_t row) const { return row < records_.size() && records_[row].IsTerminator(); }
  std::string CellText(std::size_t row, DeviceField field) const;

  // Takes the typed text into the cell. Nothing when taken; otherwise a
  // message naming the cell and saying why, and the draft is unchanged. A
  // device number already used by another row is refused: the program
  // would only ever find the first.
  std::optional<std::string> Edit(std::size_t row, DeviceField field, std::string_view text);

  // A new device just before the terminator, with the lowest unused number;
  // returns its row.
  std::size_t AddDevice();
  // False for the terminator and rows past the end.
  bool RemoveDevice(std::size_t row);

  // Why the draft cannot be stored as it is (a loaded list may hold what
  // no edit would let in); empty when it can.
  std::vector<std::string> Problems() const;

  // Changed since it was loaded or last marked registered.
  bool IsModified() const { return modified_; }
  void MarkRegistered() { modified_ = false; }

 private:
  std::optional<std::size_t> RowOfNumber(std::uint16_t number, std::size_t except) const;

  std::vector<DeviceRecord> records_;
  bool modified_ = false;
};

// How a row is named in messages: counted from 1, as the operator sees it.
std::string CellName(std::size_t row, DeviceField field);

}  // namespace vantrell
