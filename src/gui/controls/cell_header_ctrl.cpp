#include "gui/controls/cell_header_ctrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "gui/controls/cell_geometry.h"
#include "gui/controls/cell_list_item_model.h"
#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {

CCellHeaderCtrl::CCellHeaderCtrl(const CellListModel& cells, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), cells_(cells) {
  setSectionsClickable(true);
  setHighlightSections(false);
  setStretchLastSection(false);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // A column is as wide as the window asks, however narrow: the style's
  // minimum (from its font, 58 pixels on Windows) would widen the check box
  // and number columns past their design.
  setMinimumSectionSize(0);
}

QRect CCellHeaderCtrl::SectionRect(int column) const {
  return {sectionViewportPosition(column), 0, sectionSize(column), height()};
}

QRect CCellHeaderCtrl::SectionCheckboxRect(int column) const { return CheckboxRect(SectionRect(column), style()); }

void CCellHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const HeaderColumn* column = cells_.Column(logicalIndex);
  if (!column) return;
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logicalIndex;
  style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);

  QRect textRect = rect.adjusted(kCellMargin, 0, -kCellMargin, 0);
  if (column->checkbox != kNoCheckbox) {
    PaintCheckbox(*painter, CheckboxRect(rect, style()), column->checkbox, this);
    textRect = TextRectBesideCheckbox(rect, style());
  }
  if (textRect.width() <= 0) return;
  painter->save();
  painter->setPen(column->captionColour ? ToQColor(*column->captionColour) : palette().color(QPalette::ButtonText));
  const QString caption = fontMetrics().elidedText(QString::fromStdString(column->description.caption),
                                                   Qt::ElideRight, textRect.width());
  painter->drawText(textRect, ToQtAlignment(column->description.align) | Qt::TextSingleLine, caption);
  painter->restore();
}

int CCellHeaderCtrl::CheckboxAt(const QPoint& point) const {
  const int column = logicalIndexAt(point);
  if (cells_.GetHeaderCheckbox(column) == kNoCheckbox) return -1;
  return CheckboxHitRect(SectionRect(column), style()).contains(point) ? column : -1;
}

void CCellHeaderCtrl::mousePressEvent(QMouseEvent* event) {
  const int column = event->button() == Qt::LeftButton ? CheckboxAt(event->position().toPoint()) : -1;
  if (column < 0) return QHeaderView::mousePressEvent(event);
  pressedOnBox_ = true;
  event->accept();
  emit CheckboxClicked(column);
}

void CCellHeaderCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  // A quick second click on a box is a second toggle.
  if (CheckboxAt(event->position().toPoint()) >= 0) return mousePressEvent(event);
  QHeaderView::mouseDoubleClickEvent(event);
}

void CCellHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (pressedOnBox_) {
    pressedOnBox_ = false;
    event->accept();
    return;
  }
  QHeaderView::mouseReleaseEvent(event);
}

}  // namespace vantrell::gui
