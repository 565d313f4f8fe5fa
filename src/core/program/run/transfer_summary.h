#pragma once
// The time report at the end of a download run and of an Erase All run: the
// lines for the log and the text for the result box.
#include <cstdint>
#include <string>
#include <vector>

namespace vantrell {

struct TimeReport {
  std::vector<std::string> logLines;
  std::string summary;
};

// elapsed in whole seconds; a clock that went backwards counts as under one
// second. The rate is the job's total size per second.
TimeReport TransferTimeReport(std::int64_t elapsedSeconds, std::uint64_t totalBytes);
TimeReport EraseAllTimeReport(std::int64_t elapsedSeconds);

}  // namespace vantrell
