#pragma once
// Paints a dump view: info bar, header row, the rows on screen (and only
// those), separator lines, the hover frame and the focus rectangle. It paints
// the whole client area, so the view's off-screen image needs no erasing.
#include <QFont>
#include <QPalette>

#include "core/controls/hexdump/dump_layout.h"
#include "core/controls/hexdump/hex_dump_model.h"

class QPainter;

namespace vantrell::gui {

class DumpTextCache;

struct DumpPaintState {
  QFont font;
  QPalette palette;  // the info bar's button face and 3D frame
  bool enabled = true;
  bool focused = false;
  DumpRect hoverRect;  // empty when the pointer is over no cell
  DumpTextCache* texts = nullptr;  // kept between paints; none lays out every text anew
};

void PaintHexDump(QPainter& painter, const HexDumpModel& model, const HexDumpLayout& layout,
                  const DumpPaintState& state);

}  // namespace vantrell::gui
