#pragma once
// Erasing every sector of the internal flash on every socket still alive,
// with the Total Progress bar moving in quarters. Shared by the Erase All
// stage of a download run and by the Erase All run.
#include <cstdint>

#include "core/operation/run_end.h"

namespace vantrell {

class DownloadRun;
struct FlashGeometry;

// startSeconds receives the time the first sector's erase began.
RunEnd EraseEverySector(DownloadRun& run, const FlashGeometry& flash, std::int64_t& startSeconds);

}  // namespace vantrell
