#include "gui/program/pack_lines.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

#include "gui/common/control_lookup.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {
namespace {

constexpr int kFrameTops[kMaxSockets] = {132, 161, 190, 219, 248, 278, 307};
// The font's height in pixels at the dialog font's usual size.
constexpr int kPackFontHeight = 24;
// Height of the usual dialog font, which the window's units are scaled from.
constexpr int kUsualDialogFontHeight = 13;
// A pack text is never shrunk below this many pixels to make it fit.
constexpr int kSmallestFittingSize = 11;

}  // namespace

PackLines::PackLines(QWidget& window, const DialogUnits& units) {
  const int fontHeight = kPackFontHeight * units.BaseY() / kUsualDialogFontHeight;
  font_ = PackFont(std::min(fontHeight, units.Y(12) + 2));
  for (std::size_t socket = 0; socket < kMaxSockets; ++socket) {
    const int top = kFrameTops[socket];
    frames_[socket] = new QGroupBox(kSocketLabels[socket], &window);
    frames_[socket]->setGeometry(units.Rect(133, top, 208, 25));
    lines_[socket] = new QLabel("Ready", &window);
    lines_[socket]->setObjectName(ControlName(control_id::down_window::PackLine(socket)));
    lines_[socket]->setGeometry(units.Rect(138, top + 10, 199, 12));
    lines_[socket]->setFont(font_);
    lines_[socket]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lines_[socket]->setAutoFillBackground(false);
  }
  Reset(kMaxSockets);
}

QFont PackLines::PackFont(int pixelHeight) {
  QFont font;
  font.setFamilies({"Verdana", "DejaVu Sans", "Bitstream Vera Sans", "Tahoma", "Sans Serif"});
  font.setBold(true);
  int size = std::max(pixelHeight, 6);
  font.setPixelSize(size);
  while (size > 6 && QFontMetrics(font).height() > pixelHeight) font.setPixelSize(--size);
  return font;
}

void PackLines::Reset(std::size_t socketCount) {
  for (std::size_t socket = 0; socket < kMaxSockets; ++socket) {
    SetColour(socket, kPackColourIdle);
    SetText(socket, socket < socketCount ? "Ready" : "Not Used!");
  }
}

void PackLines::SetText(std::size_t socket, const QString& text) {
  if (socket >= kMaxSockets) return;
  QLabel& line = *lines_[socket];
  line.setFont(FittingFont(text, line.width()));
  line.setText(text);
}

QFont PackLines::FittingFont(const QString& text, int width) const {
  // The longest stage texts would run past the line in the full size; they
  // are shown a little smaller rather than cut off.
  QFont font = font_;
  while (font.pixelSize() > kSmallestFittingSize && QFontMetrics(font).horizontalAdvance(text) > width) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

void PackLines::SetColour(std::size_t socket, ColourRef colour) {
  if (socket >= kMaxSockets) return;
  colours_[socket] = colour;
  QPalette palette = lines_[socket]->palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour));
  lines_[socket]->setPalette(palette);
}

ColourRef PackLines::Colour(std::size_t socket) const { return socket < kMaxSockets ? colours_[socket] : 0; }

QLabel* PackLines::Line(std::size_t socket) const { return socket < kMaxSockets ? lines_[socket] : nullptr; }

}  // namespace vantrell::gui
