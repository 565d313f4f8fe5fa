#pragma once
// The NAND window's workers. Each runs its whole operation on the calling
// thread and ends through EndNandOperation, whose result (0) it returns.

namespace vantrell {

class NandRun;

// Refresh: the geometry, the bad block count and the FAT start block number.
int RefreshWorker(NandRun& run);
// Read Bad Block: the writer's bad block table, shown in the Bad Block List.
int ReadBadBlockWorker(NandRun& run);

}  // namespace vantrell
