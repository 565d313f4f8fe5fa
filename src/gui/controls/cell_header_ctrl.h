#pragma once
// The extended list's header: a check box per column where the model has
// one, captions in the model's colours, and a signal for a click on a box.
#include <QHeaderView>

#include "core/controls/cell_list_model.h"

namespace vantrell::gui {

class CCellHeaderCtrl : public QHeaderView {
  Q_OBJECT

 public:
  CCellHeaderCtrl(const CellListModel& cells, QWidget* parent);

  // Where a section's check box is drawn, in header coordinates.
  QRect SectionCheckboxRect(int column) const;

 signals:
  // A click on a column's check box; clicks elsewhere are sectionClicked.
  void CheckboxClicked(int column);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QRect SectionRect(int column) const;
  int CheckboxAt(const QPoint& point) const;

  const CellListModel& cells_;
  bool pressedOnBox_ = false;
};

}  // namespace vantrell::gui
