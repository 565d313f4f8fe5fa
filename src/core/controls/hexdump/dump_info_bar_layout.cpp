// The info bar of a dump view: its fields flow left to right, a field that
// does not fit on the current line starts the next one, and a field wider
// than the whole bar is left out.
#include <cstring>

#include "core/controls/hexdump/dump_layout.h"
#include "core/controls/hexdump/dump_text.h"

namespace vantrell {

void HexDumpLayout::PlaceInfoBar() {
  if ((input_.style & kDumpInfoBits) == 0) return;
  const DumpMetrics& m = input_.metrics;
  const bool wordMode = (input_.style & kDumpWordMode) != 0;
  const int inset = kInfoBarFrame + m.charWidth / 2;
  const int innerWidth = input_.clientWidth - 2 * inset;
  int x = 0;
  int line = 0;
  for (DumpFormat format : kDumpFormats) {
    const int area = FieldArea(format);
    if (!AreaShown(input_.style, area)) continue;
    DumpInfoField field{area, InfoFieldCaption(format), {}, {}};
    const int captionWidth = static_cast<int>(std::strlen(InfoFieldCaption(format))) * m.charWidth;
    const int valueWidth = ItemWidth(format, wordMode) * m.charWidth;
    const int width = captionWidth + valueWidth;
    if (width > innerWidth) continue;
    if (x > 0 && x + width > innerWidth) {
      ++line;
      x = 0;
    }
    const int top = kInfoBarFrame + line * m.lineHeight;
    field.rect = {inset + x, top, width, m.lineHeight};
    field.valueRect = {inset + x + captionWidth, top, valueWidth, m.lineHeight};
    infoFields_.push_back(std::move(field));
    x += width + 2 * m.charWidth;
  }
  infoBar_ = {0, 0, input_.clientWidth, (line + 1) * m.lineHeight + 2 * kInfoBarFrame};
}

const DumpInfoField* HexDumpLayout::InfoField(int area) const {
  for (const DumpInfoField& field : infoFields_) {
    if (field.area == area) return &field;
  }
  return nullptr;
}

}  // namespace vantrell
