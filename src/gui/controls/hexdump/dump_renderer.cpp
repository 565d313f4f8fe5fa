#include "gui/controls/hexdump/dump_renderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <qdrawutil.h>

#include "gui/controls/colour_conversion.h"
#include "gui/controls/hexdump/dump_text_cache.h"

namespace vantrell::gui {
namespace {

QRect ToQRect(const DumpRect& rect) { return QRect(rect.left, rect.top, rect.width, rect.height); }

class DumpPainter {
 public:
  DumpPainter(QPainter& painter, const HexDumpModel& model, const HexDumpLayout& layout, const DumpPaintState& state)
      : painter_(painter),
        model_(model),
        layout_(layout),
        state_(state),
        colours_(model.Colours()),
        metrics_(state.font),
        charWidth_(layout.Input().metrics.charWidth),
        lineHeight_(layout.Input().metrics.lineHeight),
        baseline_((lineHeight_ - metrics_.height()) / 2 + metrics_.ascent()) {}

  void Paint() {
    painter_.setFont(state_.font);
    const QRect client(0, 0, layout_.Input().clientWidth, layout_.Input().clientHeight);
    painter_.fillRect(client, Colour(state_.enabled ? colours_.background : colours_.disabledBackground));
    PaintInfoBar();
    PaintHeader();
    PaintRows();
    PaintSeparators();
    PaintHover();
    if (state_.focused && state_.enabled) PaintFocus(client);
  }

 private:
  QColor Colour(ColourRef colour) const { return ToQColor(colour); }
  // Every text turns grey in a disabled view.
  QColor TextColour(ColourRef colour) const {
    return Colour(state_.enabled ? colour : colours_.disabledText);
  }
  int TextWidth(const QString& text) const { return static_cast<int>(text.size()) * charWidth_; }

  void DrawText(int x, int y, const QString& text, const QColor& colour) {
    painter_.setPen(colour);
    painter_.drawText(QPoint(x, y + baseline_), text);
  }
  void DrawValue(int x, int y, const QString& text, const QColor& colour) {
    if (state_.texts == nullptr) return DrawText(x, y, text, colour);
    painter_.setPen(colour);
    painter_.drawStaticText(QPoint(x, y + baseline_ - metrics_.ascent()), state_.texts->Text(text, state_.font));
  }
  void DrawCentred(const DumpRect& rect, const QString& text, const QColor& colour) {
    DrawText(rect.left + (rect.width - TextWidth(text)) / 2, rect.top, text, colour);
  }

  void PaintInfoBar() {
    if (layout_.InfoBar().IsEmpty()) return;
    const QBrush face = state_.palette.button();
    qDrawWinPanel(&painter_, ToQRect(layout_.InfoBar()), state_.palette, false, &face);
    const QColor colour = TextColour(colours_.text);
    for (const DumpInfoField& field : layout_.InfoFields()) {
      // One text, so that no rounding of the advance opens a gap after the caption.
      const std::string text = field.caption + model_.InfoFieldText(field.area);
      DrawText(field.rect.left, field.rect.top, QString::fromStdString(text), colour);
    }
  }

  void PaintHeader() {
    const DumpRect& header = layout_.HeaderRow();
    if (header.IsEmpty()) return;
    const QColor colour = TextColour(colours_.header);
    for (const DumpCaption& caption : layout_.HeaderCaptions()) {
      const QString text = QString::fromLatin1(caption.text);
      DrawValue(caption.rect.left + (caption.rect.width - TextWidth(text)) / 2, caption.rect.top, text, colour);
    }
    painter_.setPen(Colour(colours_.separator));
    painter_.drawLine(header.left, header.Bottom(), header.Right() - 1, header.Bottom());
  }

  void PaintRows() {
    const int perRow = layout_.ItemsPerRow();
    if (perRow <= 0) return;
    const std::int64_t count = model_.Count();
    for (int row = 0; row < layout_.VisibleRows(); ++row) {
      const std::int64_t rowStart = std::int64_t{model_.Top()} + std::int64_t{row} * perRow;
      if (rowStart >= count) break;
      const int y = layout_.DataArea().top + row * lineHeight_;
      const int items = static_cast<int>(std::min<std::int64_t>(perRow, count - rowStart));
      for (const DumpColumn& column : layout_.Columns()) {
        if (column.area == ColumnArea(DumpFormat::Address)) {
          const QString address = QString::fromLatin1(model_.ItemText(DumpFormat::Address, int(rowStart)));
          DrawCentred({column.rect.left, y, column.rect.width, lineHeight_}, address, TextColour(colours_.address));
          continue;
        }
        for (int i = 0; i < items; ++i) PaintItem(column, i, static_cast<int>(rowStart) + i, y);
      }
    }
  }

  void PaintItem(const DumpColumn& column, int index, int item, int y) {
    const DumpRect cell{column.cellsLeft + index * column.cellWidth, y, column.cellWidth, lineHeight_};
    if (state_.enabled && model_.IsSelected(item)) painter_.fillRect(ToQRect(cell), Colour(colours_.selection));
    const ColourRef colour = model_.ItemDiffers(item) ? colours_.changed : colours_.text;
    const DumpFormat format = FormatOfArea(column.area);
    const QString text = QString::fromStdString(model_.ItemText(format, item));
    // Numbers of varying length line up on their last digit.
    const bool rightAligned = format == DumpFormat::Decimal || format == DumpFormat::Octal;
    const int x = rightAligned ? cell.Right() - charWidth_ / 2 - TextWidth(text)
                               : cell.left + (cell.width - TextWidth(text)) / 2;
    DrawValue(x, y, text, TextColour(colour));
  }

  void PaintSeparators() {
    if (!model_.Has(kDumpSeparators)) return;
    const int top = layout_.HeaderRow().IsEmpty() ? layout_.DataArea().top : layout_.HeaderRow().top;
    const int bottom = layout_.Input().clientHeight - 1;
    painter_.setPen(Colour(colours_.separator));
    for (const DumpColumn& column : layout_.Columns()) {
      if (column.rect.left > 0) painter_.drawLine(column.rect.left, top, column.rect.left, bottom);
    }
  }

  void PaintHover() {
    if (!model_.Has(kDumpHoverFrame) || !state_.enabled || state_.hoverRect.IsEmpty()) return;
    painter_.setPen(Colour(colours_.hover));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(ToQRect(state_.hoverRect).adjusted(0, 0, -1, -1));
  }

  void PaintFocus(const QRect& client) {
    painter_.setPen(QPen(Colour(colours_.text), 1, Qt::DotLine));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(client.adjusted(0, 0, -1, -1));
  }

  QPainter& painter_;
  const HexDumpModel& model_;
  const HexDumpLayout& layout_;
  const DumpPaintState& state_;
  const DumpColours& colours_;
  const QFontMetrics metrics_;
  const int charWidth_;
  const int lineHeight_;
  const int baseline_;
};

}  // namespace

void PaintHexDump(QPainter& painter, const HexDumpModel& model, const HexDumpLayout& layout,
                  const DumpPaintState& state) {
  DumpPainter(painter, model, layout, state).Paint();
}

}  // namespace vantrell::gui
