#pragma once
// How a chip run's final code is reported: a box and a line for a link
// failure, a line and a COMM End for a reply that was not the one expected,
// nothing for a finished run, a line for a failure already reported.
#include "core/link/link_result.h"
#include "core/link/log_markers.h"

namespace vantrell {

class ChipContext;

void ReportChipEnding(LinkResult code, ChipContext& chip);

}  // namespace vantrell
