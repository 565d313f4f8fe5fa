#pragma once
// The read of the MASTER chip: open the link, check that the MASTER socket
// holds a chip of the selected device, read the range, end the chips' work,
// and hand the code to EndReadMasterOperation. Only the MASTER socket
// counts; the other sockets' IDs and states are not looked at.

namespace vantrell {

class MasterReadRun;

// Runs the whole read on the calling thread; returns its exit code (0). On
// success run.data holds the bytes read and the window was shown them.
int ReadMasterWorker(MasterReadRun& run);

}  // namespace vantrell
