#pragma once
// Where the list's cells and header sections put their check boxes, shared by
// the painting and the hit testing so that a click lands where a box is seen.
#include <QRect>

class QPainter;
class QStyle;
class QWidget;

namespace vantrell::gui {

inline constexpr int kCellMargin = 4;

// The box at the left of a cell or header section, centred vertically.
QRect CheckboxRect(const QRect& cell, const QStyle* style);
// The area a click toggles: the box and a little slack around it.
QRect CheckboxHitRect(const QRect& cell, const QStyle* style);
// What is left for the text beside a box.
QRect TextRectBesideCheckbox(const QRect& cell, const QStyle* style);
void PaintCheckbox(QPainter& painter, const QRect& box, int state, const QWidget* widget);

}  // namespace vantrell::gui
