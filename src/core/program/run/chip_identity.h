#pragma once
// The start every download and Erase All run shares: open the link, read the
// chips' IDs and drop every socket whose chip is not the selected device's.
#include "core/operation/run_end.h"

namespace vantrell {

class DownloadRun;

enum class StaleInput { Clear, Keep };

RunEnd OpenAndIdentifyChips(DownloadRun& run, StaleInput staleInput);

}  // namespace vantrell
