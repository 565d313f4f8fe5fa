#include "gui/controls/cell_list_item_model.h"

#include <QBrush>
#include <QFont>

#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {

Qt::Alignment ToQtAlignment(ColumnAlign align) {
  switch (align) {
    case ColumnAlign::Centre: return Qt::AlignHCenter | Qt::AlignVCenter;
    case ColumnAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

CellListItemModel::CellListItemModel(CellListModel& cells, QObject* parent)
    : QAbstractTableModel(parent), cells_(cells) {}

int CellListItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cells_.RowCount();
}

int CellListItemModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cells_.ColumnCount();
}

QVariant CellListItemModel::data(const QModelIndex& index, int role) const {
  const CellData* cell = cells_.Cell(index.row(), index.column());
  if (!cell) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(cell->text);
    case Qt::ToolTipRole: {
      const std::string tip = cells_.CellTooltip(index.row(), index.column());
      return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
    }
    case Qt::ForegroundRole: return QBrush(ToQColor(cell->colours.text));
    case Qt::BackgroundRole: return QBrush(ToQColor(cell->colours.background));
    case Qt::TextAlignmentRole: return QVariant::fromValue(ToQtAlignment(cells_.Column(index.column())->description.align));
    default: return {};
  }
}

QVariant CellListItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const HeaderColumn* column = orientation == Qt::Horizontal ? cells_.Column(section) : nullptr;
  if (!column) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(column->description.caption);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ToQtAlignment(column->description.align));
  if (role == Qt::ForegroundRole && column->captionColour) return QBrush(ToQColor(*column->captionColour));
  return {};
}

Qt::ItemFlags CellListItemModel::flags(const QModelIndex& index) const {
  const CellData* cell = cells_.Cell(index.row(), index.column());
  if (!cell) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (cell->editable) flags |= Qt::ItemIsEditable;
  return flags;
}

bool CellListItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !cells_.IsEditing()) return false;
  if (cells_.EditRow() != index.row() || cells_.EditColumn() != index.column()) return false;
  const std::string text = value.toString().toStdString();
  return cells_.EndEdit(&text);
}

int CellListItemModel::InsertColumn(int column, const ColumnDescription& description) {
  if (column < 0) return -1;
  column = std::min(column, cells_.ColumnCount());
  beginInsertColumns({}, column, column);
  const int inserted = cells_.InsertColumn(column, description);
  endInsertColumns();
  return inserted;
}

int CellListItemModel::InsertItem(int row, const std::string& text) {
  if (row < 0) return -1;
  row = std::min(row, cells_.RowCount());
  beginInsertRows({}, row, row);
  const int inserted = cells_.InsertItem(row, text);
  endInsertRows();
  return inserted;
}

bool CellListItemModel::DeleteItem(int row) {
  if (row < 0 || row >= cells_.RowCount()) return false;
  beginRemoveRows({}, row, row);
  cells_.DeleteItem(row);
  endRemoveRows();
  return true;
}

void CellListItemModel::DeleteAllItems() {
  // Removing rows, not resetting the model: a reset would also forget the
  // header's column widths.
  if (cells_.RowCount() == 0) return;
  beginRemoveRows({}, 0, cells_.RowCount() - 1);
  cells_.DeleteAllItems();
  endRemoveRows();
}

void CellListItemModel::EmitCellChanged(int row, int column) {
  const QModelIndex cell = index(row, column);
  emit dataChanged(cell, cell);
}

void CellListItemModel::EmitHeaderChanged(int column) { emit headerDataChanged(Qt::Horizontal, column, column); }

}  // namespace vantrell::gui
