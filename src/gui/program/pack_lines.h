#pragma once
// The seven pack status lines of the download window: a frame per socket
// ("MASTER", "PACK-1" ... "PACK-6") around a static text (1015 ... 1021)
// in the pack line font, coloured with its socket's PackColour.
#include <QFont>
#include <QString>
#include <array>
#include <cstddef>

#include "core/controls/colour.h"
#include "core/program/chip/chip_types.h"

class QGroupBox;
class QLabel;
class QWidget;

namespace vantrell::gui {

class DialogUnits;

inline constexpr ColourRef kPackColourIdle = 0xFACE87;  // RGB(135, 206, 250)

class PackLines {
 public:
  // Creates the frames and lines on the window at their places.
  PackLines(QWidget& window, const DialogUnits& units);

  // A new showing: every line "Ready" in the idle colour, the sockets from
  // socketCount on "Not Used!".
  void Reset(std::size_t socketCount);
  void SetText(std::size_t socket, const QString& text);
  void SetColour(std::size_t socket, ColourRef colour);
  ColourRef Colour(std::size_t socket) const;
  QLabel* Line(std::size_t socket) const;

  // Verdana bold (or the nearest face there is) whose line height is closest
  // to, without exceeding, the given pixel height.
  static QFont PackFont(int pixelHeight);

 private:
  QFont FittingFont(const QString& text, int width) const;

  QFont font_;
  std::array<QGroupBox*, kMaxSockets> frames_{};
  std::array<QLabel*, kMaxSockets> lines_{};
  std::array<ColourRef, kMaxSockets> colours_{};
};

}  // namespace vantrell::gui
