#pragma once
// The fourteen colours of a dump view, 0x00BBGGRR values.
#include "core/controls/colour.h"

namespace vantrell {

struct DumpColours {
  ColourRef text;
  ColourRef background;
  ColourRef changed;  // an item that differs from the reference
  ColourRef editorText;
  ColourRef editorBackground;
  ColourRef editorOutOfRangeText;
  ColourRef editorOutOfRangeBackground;
  ColourRef selection;  // background of selected items
  ColourRef address;    // address column text
  ColourRef separator;
  ColourRef header;
  ColourRef hover;  // frame around the cell under the pointer
  ColourRef disabledText;
  ColourRef disabledBackground;
  bool operator==(const DumpColours&) const = default;
};

constexpr DumpColours DefaultDumpColours(const SystemColours& system) {
  return DumpColours{
      .text = system.windowText,
      .background = system.window,
      .changed = 0x0000FF,
      .editorText = 0x000000,
      .editorBackground = 0x00FFFF,
      .editorOutOfRangeText = 0xFFFFFF,
      .editorOutOfRangeBackground = 0x0000FF,
      .selection = 0xFFFF00,
      .address = 0x00B000,
      .separator = system.buttonShadow,
      .header = 0xFF0000,
      .hover = system.buttonShadow,
      .disabledText = system.buttonShadow,
      .disabledBackground = system.buttonFace,
  };
}

}  // namespace vantrell
