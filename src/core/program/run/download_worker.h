#pragma once
// The download sequence: identify the chips, then either blank-check the
// whole flash, or erase it all when asked, validate the job and take the
// files one by one through their stages; end the chips' work, report the
// time and rate, and end through EndChipOperation.

namespace vantrell {

class DownloadRun;

// Runs the whole sequence on the calling thread; returns EndChipOperation's
// result (0).
int DownloadWorker(DownloadRun& run);

}  // namespace vantrell
