#pragma once
// The one way every NAND worker ends: the result is logged (ReportNandResult),
// the variant adds its part before "Exit Download!", the link is closed, the
// run's buffers are released, the link is given back, and then the controls
// come back as the variant says. An abandoned run only releases and gives back.
#include "core/link/link_result.h"

namespace vantrell {

class NandRun;

enum class NandEnding {
  // Refresh, and an Erase All whose reads of the flash's state fail: on
  // Finished everything comes back, in every case Refresh does.
  Information,
  // Download, Erase, Erase All: everything comes back.
  Change,
  // Read Block: on Finished the blocks are shown; everything comes back.
  BlockRead,
  // Read Bad Block: a CommError shows "Rx Bad Block Count is Wrong!", Finished
  // shows the Bad Block List; Read Bad Block comes back.
  BadBlockList,
};

// Returns 0, the worker's exit code.
int EndNandOperation(NandRun& run, NandEnding ending, LinkResult code);

}  // namespace vantrell
