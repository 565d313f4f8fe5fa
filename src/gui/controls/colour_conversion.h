#pragma once
// The models keep 0x00BBGGRR colours; Qt paints with QColor.
#include <QColor>
#include <QPalette>

#include "core/controls/colour.h"

namespace vantrell::gui {

inline QColor ToQColor(ColourRef colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

inline ColourRef FromQColor(const QColor& colour) {
  return MakeColour(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                    static_cast<std::uint8_t>(colour.blue()));
}

// The theme's colours under the names the controls use.
inline SystemColours SystemColoursOf(const QPalette& palette) {
  SystemColours system;
  system.window = FromQColor(palette.color(QPalette::Base));
  system.windowText = FromQColor(palette.color(QPalette::Text));
  system.highlight = FromQColor(palette.color(QPalette::Highlight));
  system.highlightText = FromQColor(palette.color(QPalette::HighlightedText));
  system.buttonFace = FromQColor(palette.color(QPalette::Button));
  system.buttonShadow = FromQColor(palette.color(QPalette::Dark));
  return system;
}

}  // namespace vantrell::gui
