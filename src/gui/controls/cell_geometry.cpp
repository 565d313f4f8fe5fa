#include "gui/controls/cell_geometry.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include "core/controls/cell_data.h"

namespace vantrell::gui {
namespace {

int IndicatorSize(const QStyle* style) {
  return std::max(13, style->pixelMetric(QStyle::PM_IndicatorWidth));
}

}  // namespace

QRect CheckboxRect(const QRect& cell, const QStyle* style) {
  const int size = IndicatorSize(style);
  return {cell.left() + kCellMargin, cell.top() + (cell.height() - size) / 2, size, size};
}

QRect CheckboxHitRect(const QRect& cell, const QStyle* style) {
  return CheckboxRect(cell, style).adjusted(-1, -1, 1, 1) & cell;
}

QRect TextRectBesideCheckbox(const QRect& cell, const QStyle* style) {
  QRect text = cell.adjusted(kCellMargin, 0, -kCellMargin, 0);
  text.setLeft(CheckboxRect(cell, style).right() + 1 + kCellMargin);
  return text;
}

void PaintCheckbox(QPainter& painter, const QRect& box, int state, const QWidget* widget) {
  QStyleOptionButton option;
  option.rect = box;
  option.state = QStyle::State_Enabled | (state == kChecked ? QStyle::State_On : QStyle::State_Off);
  widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
}

}  // namespace vantrell::gui
