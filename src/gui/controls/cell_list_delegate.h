#pragma once
// Paints the extended list's cells from the model (colours, bold, check
// boxes, progress cells) and provides the in-place editor.
#include <QStyledItemDelegate>

#include "core/controls/cell_list_model.h"

namespace vantrell::gui {

class CellListDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  CellListDelegate(const CellListModel& cells, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 private:
  void PaintTextCell(QPainter& painter, const QStyleOptionViewItem& option, const CellData& cell,
                     int column) const;
  void PaintProgressCell(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                         const CellData& cell) const;

  const CellListModel& cells_;
};

}  // namespace vantrell::gui
