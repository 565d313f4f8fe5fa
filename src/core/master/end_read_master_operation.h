#pragma once
// The end of a Read Master read: report the code as every chip run does,
// show the bytes read when the read finished, close the link, give Read Run
// back, let go of the link, and end the read's account with bytesRead. No
// counter, data file or download-window control is touched. An abandoned
// read ends silently.
#include <cstdint>

#include "core/link/link_result.h"
#include "core/master/read_master_view.h"

namespace vantrell {

class ChipContext;

// Returns 0, the worker's exit code.
int EndReadMasterOperation(ChipContext& chip, const ReadMasterViewSlot& views, LinkResult code,
                           std::uint64_t bytesRead = 0);

}  // namespace vantrell
