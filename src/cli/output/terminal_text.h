#pragma once
// Names in the program's texts come from outside: an image or data file
// named with an escape sequence would otherwise move the cursor, recolour
// or retitle the operator's terminal, or fake a line of output. What goes to
// a terminal (or to a file that is later shown on one) has its control
// characters written as visible escapes; tabs and UTF-8 text pass as they
// are.
#include <string>
#include <string_view>

namespace vantrell::cli {

// C0 controls but the tab, and DEL, as "\x1B"; C1 controls (U+0080 to
// U+009F, which some terminals obey like ESC sequences) as "\u009B".
std::string VisibleControls(std::string_view text);

}  // namespace vantrell::cli
