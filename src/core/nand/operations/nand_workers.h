#pragma once
// The NAND window's workers. Each runs its whole operation on the calling
// thread and ends through EndNandOperation, whose result (0) it returns.

namespace vantrell {

class NandRun;

// Refresh: the geometry, the bad block count and the FAT start block number.
int RefreshWorker(NandRun& run);
// Read Bad Block: the writer's bad block table, shown in the Bad Block List.
int ReadBadBlockWorker(NandRun& run);
// Download: the files the Download button loaded (NandRun::download) and
// the FAT start block number.
int DownloadWorker(NandRun& run);
// Erase: the blocks of the erase range (1082 to 1084).
int EraseWorker(NandRun& run);
// Erase All: every block, then the bad block count and FAT start block read back.
int EraseAllWorker(NandRun& run);
// Read Block: the blocks of 1088 and 1089, shown in the Read NAND Flash view.
int ReadBlockWorker(NandRun& run);

}  // namespace vantrell
