#pragma once
// Colours of the controls are 0x00BBGGRR values: red in the low byte, blue in
// the third. The "system" colours are whatever the platform's theme says; the
// GUI reads them once and hands them to the models.
#include <cstdint>

namespace vantrell {

using ColourRef = std::uint32_t;

constexpr ColourRef MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return ColourRef{red} | (ColourRef{green} << 8) | (ColourRef{blue} << 16);
}
constexpr std::uint8_t RedOf(ColourRef colour) { return colour & 0xFF; }
constexpr std::uint8_t GreenOf(ColourRef colour) { return (colour >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(ColourRef colour) { return (colour >> 16) & 0xFF; }

// The theme colours the controls fall back on.
struct SystemColours {
  ColourRef window = MakeColour(255, 255, 255);
  ColourRef windowText = MakeColour(0, 0, 0);
  ColourRef highlight = MakeColour(0, 120, 215);
  ColourRef highlightText = MakeColour(255, 255, 255);
  ColourRef buttonFace = MakeColour(240, 240, 240);
  ColourRef buttonShadow = MakeColour(160, 160, 160);
};

}  // namespace vantrell
