#include "gui/controls/hexdump/dump_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <QtMath>
#include <algorithm>

namespace vantrell::gui {
namespace {

QFont FamilyOrSystemFixed(const QString& family) {
  if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    return font;
  }
  return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

}  // namespace

QFont DefaultDumpFont() {
  QFont font = FamilyOrSystemFixed(QStringLiteral("Courier"));
  font.setPointSize(8);
  return font;
}

QFont FixedsysTipFont() {
  QFont font = FamilyOrSystemFixed(QStringLiteral("Fixedsys"));
  font.setPixelSize(11);
  font.setWeight(QFont::Normal);
  font.setFixedPitch(true);
  return font;
}

DumpMetrics DumpMetricsOfFont(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width of a fixed-pitch font is its advance; a fractional
  // advance is rounded up so that a long text (a binary byte, an address)
  // never runs past the cell the layout gives it.
  const int advance = qCeil(metrics.horizontalAdvance(QStringLiteral("0123456789ABCDEF")) / 16.0);
  return DumpMetricsOf(metrics.height(), std::max(metrics.averageCharWidth(), advance));
}

}  // namespace vantrell::gui
