#pragma once
// Laid-out texts of the values a dump view paints over and over ("00" to
// "FF" and their kin), so that a paint only places them. Bounded: past its
// limit it starts afresh, so word-mode values cannot make it grow for ever.
#include <QFont>
#include <QHash>
#include <QStaticText>

namespace vantrell::gui {

class DumpTextCache {
 public:
  static constexpr int kLimit = 4096;

  // The laid-out text for the font; a new font empties the cache.
  const QStaticText& Text(const QString& text, const QFont& font);

 private:
  QFont font_;
  QHash<QString, QStaticText> texts_;
};

}  // namespace vantrell::gui
