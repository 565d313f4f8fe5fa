#pragma once
// Dialog units: window layouts are drawn up in units of the dialog font, a
// quarter of its average character width across and an eighth of its height
// down, so a window keeps its proportions whatever font the platform gives it.
#include <QFont>
#include <QRect>
#include <QSize>

namespace vantrell::gui {

class DialogUnits {
 public:
  // Base units measured from the font the way dialog templates measure them.
  explicit DialogUnits(const QFont& font);
  DialogUnits(int baseX, int baseY);

  int BaseX() const { return baseX_; }
  int BaseY() const { return baseY_; }
  int X(int units) const;
  int Y(int units) const;
  QRect Rect(int left, int top, int width, int height) const;
  QSize Size(int width, int height) const;

 private:
  int baseX_;
  int baseY_;
};

}  // namespace vantrell::gui
