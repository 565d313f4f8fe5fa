#include "core/controls/cell_list_model.h"

#include <algorithm>
#include <cstdint>

#include "core/controls/percent_text.h"
#include "core/controls/text_cut.h"

namespace vantrell {

CellListModel::CellListModel(const SystemColours& system)
    : defaults_{system.windowText, system.window},
      progressBar_(system.highlight),
      progressText_(system.highlightText),
      windowText_(system.windowText) {}

bool CellListModel::IsCell(int row, int column) const {
  return row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount();
}

const CellData* CellListModel::Cell(int row, int column) const {
  return IsCell(row, column) ? &rows_[row][column] : nullptr;
}

CellData* CellListModel::MutableCell(int row, int column) {
  return IsCell(row, column) ? &rows_[row][column] : nullptr;
}

const HeaderColumn* CellListModel::Column(int column) const {
  return column >= 0 && column < ColumnCount() ? &columns_[column] : nullptr;
}

CellData CellListModel::NewCell() const {
  CellData cell;
  cell.colours = defaults_;
  return cell;
}

ColourRef CellListModel::OrDefault(ColourRef colour, ColourRef fallback) const {
  return colour == kListDefaultColour ? fallback : colour;
}

int CellListModel::InsertColumn(int column, const ColumnDescription& description) {
  if (column < 0) return -1;
  column = std::min(column, ColumnCount());
  HeaderColumn header{description, kNoCheckbox, std::nullopt};
  if (description.imageIndex == kUnchecked || description.imageIndex == kChecked) {
    header.checkbox = description.imageIndex;
  }
  columns_.insert(columns_.begin() + column, header);
  for (auto& cells : rows_) cells.insert(cells.begin() + column, NewCell());
  if (IsEditing() && editColumn_ >= column) ++editColumn_;
  return column;
}

int CellListModel::InsertItem(int row, const std::string& text) {
  if (row < 0) return -1;
  row = std::min(row, RowCount());
  std::vector<CellData> cells(columns_.size(), NewCell());
  if (!cells.empty()) cells[0].text = text;
  rows_.insert(rows_.begin() + row, std::move(cells));
  if (IsEditing() && editRow_ >= row) ++editRow_;
  return row;
}

bool CellListModel::DeleteItem(int row) {
  if (row < 0 || row >= RowCount()) return false;
  rows_.erase(rows_.begin() + row);
  // An edit keeps to its own row, or is dropped with it.
  if (editRow_ == row) {
    editRow_ = editColumn_ = -1;
  } else if (editRow_ > row) {
    --editRow_;
  }
  return true;
}

void CellListModel::DeleteAllItems() {
  rows_.clear();
  editRow_ = editColumn_ = -1;
}

std::string CellListModel::GetItemText(int row, int column) const {
  const CellData* cell = Cell(row, column);
  return cell ? cell->text : std::string();
}

bool CellListModel::SetItemText(int row, int column, const std::string& text) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  cell->text = text;
  NotifyCell(row, column);
  return true;
}

bool CellListModel::SetItemText(int row, int column, const std::string* text, ColourRef textColour,
                                ColourRef backgroundColour) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  if (text) cell->text = *text;
  cell->colours = {OrDefault(textColour, defaults_.text), OrDefault(backgroundColour, defaults_.background)};
  NotifyCell(row, column);
  return true;
}

bool CellListModel::SetItemColours(int row, int column, ColourRef textColour, ColourRef backgroundColour) {
  if (row < 0 || row >= RowCount() || column < -1 || column >= ColumnCount()) return false;
  const CellColours colours{OrDefault(textColour, defaults_.text),
                            OrDefault(backgroundColour, defaults_.background)};
  const int first = column < 0 ? 0 : column;
  const int last = column < 0 ? ColumnCount() - 1 : column;
  for (int c = first; c <= last; ++c) {
    rows_[row][c].colours = colours;
    NotifyCell(row, c);
  }
  return true;
}

std::optional<CellColours> CellListModel::GetItemColours(int row, int column) const {
  const CellData* cell = Cell(row, column);
  if (!cell) return std::nullopt;
  return cell->colours;
}

bool CellListModel::SetItemBold(int row, int column, bool bold) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  cell->bold = bold;
  NotifyCell(row, column);
  return true;
}

bool CellListModel::SetCheckbox(int row, int column, int state) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  cell->checkbox = state;
  NotifyCell(row, column);
  UpdateHeaderCheckbox(column);
  return true;
}

int CellListModel::GetCheckbox(int row, int column) const {
  const CellData* cell = Cell(row, column);
  return cell ? cell->checkbox : kNoCheckbox;
}

bool CellListModel::SetEditable(int row, int column, bool editable) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  cell->editable = editable;
  return true;
}

bool CellListModel::SetProgress(int row, int column, bool showText, const std::string& format) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  cell->progressShown = true;
  cell->progressPercent = 0;
  cell->progressTextShown = showText;
  cell->progressFormat = format;
  NotifyCell(row, column);
  return true;
}

bool CellListModel::UpdateProgress(int row, int column, int percent) {
  CellData* cell = MutableCell(row, column);
  if (!cell) return false;
  cell->progressPercent = percent;
  NotifyCell(row, column);
  return true;
}

ProgressCellPaint CellListModel::LayoutProgressCell(int row, int column, int cellWidth) const {
  ProgressCellPaint paint;
  const CellData* cell = Cell(row, column);
  if (!cell || !cell->progressShown) return paint;
  if (cell->progressPercent > 0 && cellWidth > 1) {
    paint.barWidth = static_cast<int>(std::int64_t{cellWidth - 1} * cell->progressPercent / 100);
  }
  if (cell->progressTextShown) paint.text = FormatPercentText(cell->progressFormat, cell->progressPercent);
  return paint;
}

bool CellListModel::SetHeaderTextColour(int column, ColourRef colour) {
  if (column < -1 || column >= ColumnCount()) return false;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (column >= 0 && c != column) continue;
    columns_[c].captionColour = colour;
    NotifyHeader(c);
  }
  return true;
}

int CellListModel::GetHeaderCheckbox(int column) const {
  const HeaderColumn* header = Column(column);
  return header ? header->checkbox : kNoCheckbox;
}

void CellListModel::SetEmptyMessage(const std::string& text) {
  emptyMessage_ = text;
  emptyMessageColour_ = kEmptyMessageColour;
}

std::string CellListModel::EmptyMessage() const { return emptyMessage_.value_or(kDefaultEmptyMessage); }

ColourRef CellListModel::EmptyMessageColour() const { return emptyMessageColour_.value_or(windowText_); }

std::string CellListModel::CellTooltip(int row, int column) const {
  return CutToCharacters(GetItemText(row, column), kTooltipCharacters);
}

bool CellListModel::ClickCheckbox(int row, int column) {
  CellData* cell = MutableCell(row, column);
  if (!cell || cell->checkbox == kNoCheckbox) return false;
  cell->checkbox = ToggledCheckbox(cell->checkbox);
  cell->modified = true;
  modified_ = true;
  NotifyCell(row, column);
  if (events_) events_->CheckboxClicked(row, column);
  UpdateHeaderCheckbox(column);
  return true;
}

bool CellListModel::ClickHeaderCheckbox(int column) {
  const HeaderColumn* header = Column(column);
  if (!header || header->checkbox == kNoCheckbox) return false;
  const int state = ToggledCheckbox(header->checkbox);
  columns_[column].checkbox = state;
  NotifyHeader(column);
  // The parent hears of the click while the rows still hold their old states.
  if (events_) events_->CheckboxClicked(-1, column);
  if (column >= ColumnCount()) return true;
  for (int row = 0; row < RowCount(); ++row) {
    CellData& cell = rows_[row][column];
    if (cell.checkbox == kNoCheckbox) continue;
    cell.checkbox = state;
    cell.modified = true;
    modified_ = true;
    NotifyCell(row, column);
  }
  // Whatever the parent did meanwhile, rows and header now agree.
  columns_[column].checkbox = state;
  NotifyHeader(column);
  return true;
}

bool CellListModel::BeginEdit(int row, int column) {
  const CellData* cell = Cell(row, column);
  if (!cell || !cell->editable || endingEdit_) return false;
  if (IsEditing()) EndEdit(nullptr);
  if (events_ && !events_->BeginLabelEdit(row, column)) return false;
  if (!IsCell(row, column)) return false;
  editRow_ = row;
  editColumn_ = column;
  return true;
}

bool CellListModel::EndEdit(const std::string* text) {
  if (!IsEditing() || endingEdit_) return false;
  // The edit stays open while the parent decides, so that rows it inserts or
  // deletes meanwhile move the edited row along with them.
  endingEdit_ = true;
  const bool accepted = events_ && events_->EndLabelEdit(editRow_, editColumn_, text);
  endingEdit_ = false;
  const int row = editRow_;
  const int column = editColumn_;
  editRow_ = editColumn_ = -1;
  CellData* cell = MutableCell(row, column);
  if (!accepted || !text || !cell) return true;
  if (cell->text != *text) {
    cell->text = *text;
    cell->modified = true;
    modified_ = true;
  }
  NotifyCell(row, column);
  return true;
}

void CellListModel::UpdateHeaderCheckbox(int column) {
  if (column < 0 || column >= ColumnCount() || columns_[column].checkbox == kNoCheckbox) return;
  const bool allChecked = std::all_of(rows_.begin(), rows_.end(),
                                      [column](const auto& cells) { return cells[column].checkbox == kChecked; });
  const int state = allChecked ? kChecked : kUnchecked;
  if (columns_[column].checkbox == state) return;
  columns_[column].checkbox = state;
  NotifyHeader(column);
}

void CellListModel::NotifyCell(int row, int column) {
  if (events_) events_->CellChanged(row, column);
}

void CellListModel::NotifyHeader(int column) {
  if (events_) events_->HeaderChanged(column);
}

}  // namespace vantrell
