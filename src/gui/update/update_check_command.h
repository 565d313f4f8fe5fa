#pragma once
// Help > Update Check as the main window runs it: on the GUI thread,
// blocking the window while the manifest is fetched (never longer than the
// fetch's time-outs), with a busy cursor meanwhile.
#include <string>

namespace vantrell {
class Prompt;
}

namespace vantrell::gui {

// True when the updater was started: the window must then end without
// storing its settings.
bool RunUpdateCheck(Prompt& prompt, const std::string& programDirectory);

}  // namespace vantrell::gui
