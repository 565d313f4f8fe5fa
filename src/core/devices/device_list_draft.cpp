#include "core/devices/device_list_draft.h"

#include <algorithm>

#include "core/devices/device_list_format.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

constexpr const char* kNewDeviceName = "NEW-DEVICE";

}  // namespace

std::string CellName(std::size_t row, DeviceField field) {
  return FormatText("%s of row %zu", FieldCaption(field), row + 1);
}

DeviceListDraft::DeviceListDraft(std::vector<DeviceRecord> loaded) {
  const auto terminator = std::find_if(loaded.begin(), loaded.end(), [](const DeviceRecord& r) { return r.IsTerminator(); });
  const DeviceRecord last = terminator != loaded.end() ? *terminator : TerminatorRecord();
  loaded.erase(terminator, loaded.end());
  records_ = std::move(loaded);
  records_.push_back(last);
}

std::string DeviceListDraft::CellText(std::size_t row, DeviceField field) const {
  return row < records_.size() ? FieldText(records_[row], field) : std::string();
}

std::optional<std::size_t> DeviceListDraft::RowOfNumber(std::uint16_t number, std::size_t except) const {
  for (std::size_t row = 0; row < records_.size(); ++row) {
    if (row != except && records_[row].number == number) return row;
  }
  return std::nullopt;
}

std::optional<std::string> DeviceListDraft::Edit(std::size_t row, DeviceField field, std::string_view text) {
  if (row >= records_.size()) return CellName(row, field) + ": there is no such row";
  if (IsTerminatorRow(row)) return CellName(row, field) + ": the last row ends the list and cannot be changed";
  DeviceRecord edited = records_[row];
  if (auto refusal = SetField(edited, field, text)) return CellName(row, field) + ": " + *refusal;
  if (const auto other = RowOfNumber(edited.number, row)) {
    return CellName(row, field) + ": " + FormatText("0x%04X is already the number of row %zu (%s)", edited.number,
                                                    *other + 1, records_[*other].name.c_str());
  }
  if (edited != records_[row]) modified_ = true;
  records_[row] = std::move(edited);
  return std::nullopt;
}

std::size_t DeviceListDraft::AddDevice() {
  DeviceRecord device;
  device.name = kNewDeviceName;
  device.number = 1;
  while (RowOfNumber(device.number, records_.size()) && device.number < kTerminatorNumber - 1) ++device.number;
  const std::size_t row = records_.empty() ? 0 : records_.size() - 1;
  if (records_.empty()) records_.push_back(TerminatorRecord());
  records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(row), device);
  modified_ = true;
  return row;
}

bool DeviceListDraft::RemoveDevice(std::size_t row) {
  if (row >= records_.size() || IsTerminatorRow(row)) return false;
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(row));
  modified_ = true;
  return true;
}

std::vector<std::string> DeviceListDraft::Problems() const {
  std::vector<std::string> problems;
  for (std::size_t row = 0; row < records_.size(); ++row) {
    const DeviceRecord& record = records_[row];
    if (record.name.size() > kMaxDeviceNameLength) {
      problems.push_back(CellName(row, DeviceField::Name) +
                         FormatText(": the name is longer than %zu characters", kMaxDeviceNameLength));
    }
    const auto earlier = std::find_if(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(row),
                                      [&](const DeviceRecord& r) { return r.number == record.number; });
    if (earlier != records_.begin() + static_cast<std::ptrdiff_t>(row)) {
      problems.push_back(CellName(row, DeviceField::Number) +
                         FormatText(": 0x%04X is also the number of row %zu", record.number,
                                    static_cast<std::size_t>(earlier - records_.begin()) + 1));
    }
  }
  return problems;
}

}  // namespace vantrell
