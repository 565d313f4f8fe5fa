#pragma once
// The one way a download or Erase All run ends: report the code, count the
// sockets when the run programs, close the link and the data file, give the
// buttons back and let go of the link. An abandoned run ends silently: the
// window that abandoned it has closed the link and keeps its counters.
#include "core/link/link_result.h"

namespace vantrell {

class DownloadRun;

// Returns 0, the worker's exit code.
int EndChipOperation(DownloadRun& run, LinkResult code);

}  // namespace vantrell
