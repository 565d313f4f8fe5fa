#include "gui/controls/cell_list_delegate.h"

#include <QLineEdit>
#include <QPainter>

#include "gui/controls/cell_geometry.h"
#include "gui/controls/cell_list_item_model.h"
#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {

CellListDelegate::CellListDelegate(const CellListModel& cells, QObject* parent)
    : QStyledItemDelegate(parent), cells_(cells) {}

void CellListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const CellData* cell = cells_.Cell(index.row(), index.column());
  if (!cell) return;
  painter->save();
  if (cell->progressShown) {
    PaintProgressCell(*painter, option, index, *cell);
  } else {
    PaintTextCell(*painter, option, *cell, index.column());
  }
  painter->restore();
}

void CellListDelegate::PaintTextCell(QPainter& painter, const QStyleOptionViewItem& option, const CellData& cell,
                                     int column) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;
  painter.fillRect(option.rect, selected ? palette.color(QPalette::Highlight) : ToQColor(cell.colours.background));
  QRect textRect = option.rect.adjusted(kCellMargin, 0, -kCellMargin, 0);
  if (cell.checkbox != kNoCheckbox) {
    PaintCheckbox(painter, CheckboxRect(option.rect, option.widget->style()), cell.checkbox, option.widget);
    textRect = TextRectBesideCheckbox(option.rect, option.widget->style());
  }
  if (cell.text.empty() || textRect.width() <= 0) return;
  QFont font = option.font;
  font.setBold(cell.bold);
  painter.setFont(font);
  painter.setPen(selected ? palette.color(QPalette::HighlightedText) : ToQColor(cell.colours.text));
  const QString text = QFontMetrics(font).elidedText(QString::fromStdString(cell.text), Qt::ElideRight,
                                                     textRect.width());
  const ColumnAlign align = cells_.Column(column)->description.align;
  painter.drawText(textRect, ToQtAlignment(align) | Qt::TextSingleLine, text);
}

void CellListDelegate::PaintProgressCell(QPainter& painter, const QStyleOptionViewItem& option,
                                         const QModelIndex& index, const CellData& cell) const {
  const QRect& area = option.rect;
  const ProgressCellPaint paint = cells_.LayoutProgressCell(index.row(), index.column(), area.width());
  painter.fillRect(area, ToQColor(cell.colours.background));
  const QRect inner = area.adjusted(1, 1, -1, -1);
  painter.fillRect(inner, ToQColor(kProgressCellGrey));
  const QRect bar = QRect(inner.left(), inner.top(), paint.barWidth, inner.height()) & inner;
  if (paint.barWidth > 0) painter.fillRect(bar, ToQColor(cells_.ProgressBarColour()));
  if (paint.text.empty()) return;
  QFont font = option.font;
  font.setBold(cell.bold);
  painter.setFont(font);
  const QString text = QString::fromStdString(paint.text);
  // Over the bar in the progress text colour, over the rest in the cell's.
  const QRect rest(bar.isEmpty() ? inner.left() : bar.right() + 1, inner.top(),
                   inner.width() - (bar.isEmpty() ? 0 : bar.width()), inner.height());
  const std::pair<QRect, QColor> parts[] = {{bar, ToQColor(cells_.ProgressTextColour())},
                                            {rest, ToQColor(cell.colours.text)}};
  for (const auto& [clip, colour] : parts) {
    if (clip.isEmpty()) continue;
    painter.save();
    painter.setClipRect(clip);
    painter.setPen(colour);
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
  }
}

QWidget* CellListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  return editor;
}

}  // namespace vantrell::gui
