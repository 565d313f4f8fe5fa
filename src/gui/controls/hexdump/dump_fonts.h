#pragma once
// The fonts of the dump view and what its layout needs to know of them.
#include <QFont>

#include "core/controls/hexdump/dump_layout.h"

namespace vantrell::gui {

// "Courier", 8 points. Where no font of that name is installed (Debian ships
// none), the system's fixed-pitch font at 8 points takes its place.
QFont DefaultDumpFont();

// "Fixedsys" at 11 pixels, normal weight, fixed pitch; where it is missing
// (everywhere but Windows), the system's fixed-pitch font at the same height.
QFont FixedsysTipFont();

// Line height and character width of a font, as the layout takes them.
DumpMetrics DumpMetricsOfFont(const QFont& font);

}  // namespace vantrell::gui
