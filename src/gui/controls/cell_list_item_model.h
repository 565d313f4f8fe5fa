#pragma once
// Presents the extended list's model to Qt's item views. Rows and columns
// come and go only through here, so the view always hears of them.
#include <QAbstractTableModel>

#include "core/controls/cell_list_model.h"

namespace vantrell::gui {

class CellListItemModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  CellListItemModel(CellListModel& cells, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Ends the open in-place edit with the editor's text.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  int InsertColumn(int column, const ColumnDescription& description);
  int InsertItem(int row, const std::string& text);
  bool DeleteItem(int row);
  void DeleteAllItems();

  void EmitCellChanged(int row, int column);
  void EmitHeaderChanged(int column);

 private:
  CellListModel& cells_;
};

Qt::Alignment ToQtAlignment(ColumnAlign align);

}  // namespace vantrell::gui
