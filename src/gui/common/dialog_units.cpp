#include "gui/common/dialog_units.h"

#include <QFontMetrics>
#include <algorithm>

namespace vantrell::gui {
namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The average width of the alphabet's 52 letters, rounded half up.
int AverageCharWidth(const QFontMetrics& metrics) {
  const int width = metrics.horizontalAdvance(QString::fromLatin1(kAlphabet));
  return (width / 26 + 1) / 2;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(AverageCharWidth(QFontMetrics(font)), QFontMetrics(font).height()) {}

DialogUnits::DialogUnits(int baseX, int baseY) : baseX_(std::max(baseX, 1)), baseY_(std::max(baseY, 1)) {}

int DialogUnits::X(int units) const { return (units * baseX_ + 2) / 4; }

int DialogUnits::Y(int units) const { return (units * baseY_ + 4) / 8; }

QRect DialogUnits::Rect(int left, int top, int width, int height) const {
  // Edges are converted, not sizes, so neighbouring controls meet exactly.
  const int x0 = X(left);
  const int y0 = Y(top);
  return {x0, y0, X(left + width) - x0, Y(top + height) - y0};
}

QSize DialogUnits::Size(int width, int height) const { return {X(width), Y(height)}; }

}  // namespace vantrell::gui
