#include "gui/controls/hexdump/dump_text_cache.h"

namespace vantrell::gui {

const QStaticText& DumpTextCache::Text(const QString& text, const QFont& font) {
  if (font != font_ || texts_.size() >= kLimit) {
    texts_.clear();
    font_ = font;
  }
  auto found = texts_.find(text);
  if (found == texts_.end()) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.prepare(QTransform(), font);
    found = texts_.insert(text, laidOut);
  }
  return *found;
}

}  // namespace vantrell::gui
