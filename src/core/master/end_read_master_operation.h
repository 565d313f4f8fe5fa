#pragma once
// The end of a Read Master read: report the code as every chip run does,
// show the bytes read when the read finished, close the link, give Read Run
// back and let go of the link. No counter, data file or download-window
// control is touched. An abandoned read ends silently.
#include "core/link/link_result.h"
#include "core/master/read_master_view.h"

namespace vantrell {

class ChipContext;

// Returns 0, the worker's exit code.
int EndReadMasterOperation(ChipContext& chip, const ReadMasterViewSlot& views, LinkResult code);

}  // namespace vantrell
