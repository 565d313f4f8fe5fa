#pragma once
// Erase All: identify the chips as a download run does, erase every sector
// of the internal flash, end the chips' work and report the time taken.
// Never counted in the result counters.

namespace vantrell {

class DownloadRun;

// Runs the whole operation on the calling thread and ends it through
// EndChipOperation; returns its result (0).
int EraseAllWorker(DownloadRun& run);

}  // namespace vantrell
