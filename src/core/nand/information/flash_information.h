#pragma once
// Reading what the writer knows of the flash and showing it in the window:
// the steps of Refresh, which Erase All repeats after erasing. Each step
// keeps what it read in the run's copy of the flash state and hands it to
// the session; a failed step shows nothing and gives the code to end with.
#include "core/operation/run_end.h"

namespace vantrell {

class NandRun;

// Geometry into 1060 (name), 1061 ("%d") and 1062 ("%d byte").
RunEnd ReadFlashInformation(NandRun& run);
// The bad block count into 1063 ("%d"); a count the program cannot believe
// is refused with "Rx Bad Block Count is Wrong!" as CommError.
RunEnd ReadBadBlockCount(NandRun& run);
// The FAT start block number into 1064 ("%d") and the edit 1080 ("%05d").
RunEnd ReadFatStartBlock(NandRun& run);

}  // namespace vantrell
