#pragma once
// What the NAND window's operation buttons do on the window's thread before
// their worker starts: the two erases ask first, Download loads its files.
// The window calls these, and so can a caller without a window. Each
// returns true once its worker has started.
#include <memory>

namespace vantrell {

class NandSession;
class NandWindowView;
struct NandDownloadChoice;

bool StartNandDownload(NandSession& session, const NandDownloadChoice& choice, std::shared_ptr<NandWindowView> view);
// "Are you sure of erasing NAND Flash?"
bool StartNandErase(NandSession& session, std::shared_ptr<NandWindowView> view);
// "Are you sure of erasing NAND Flash(All Erase)?"
bool StartNandEraseAll(NandSession& session, std::shared_ptr<NandWindowView> view);
bool StartNandReadBlock(NandSession& session, std::shared_ptr<NandWindowView> view);

}  // namespace vantrell
