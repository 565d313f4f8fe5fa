#include "core/program/run/transfer_summary.h"

#include "core/text/format.h"

namespace vantrell {

TimeReport TransferTimeReport(std::int64_t elapsedSeconds, std::uint64_t totalBytes) {
  const auto total = static_cast<int>(static_cast<std::uint32_t>(totalBytes));
  if (elapsedSeconds <= 0) {
    return {{"\r\nTotal Transfer Time < 1 sec\r\n", FormatText("\r\nTransfer Rate  =  %d byte/sec\r\n", total)},
            FormatText("Files Transfer Time < 1 sec (%d byte/sec)\r\n", total)};
  }
  const auto elapsed = static_cast<int>(elapsedSeconds);
  const auto rate = static_cast<int>(static_cast<std::uint32_t>(totalBytes / static_cast<std::uint64_t>(elapsedSeconds)));
  return {{FormatText("\r\nTotal Transfer Time = %d sec\r\n", elapsed),
           FormatText("\r\nTransfer Rate  =  %d byte/sec\r\n", rate)},
          FormatText("Files Transfer Time = %d sec ", elapsed) + FormatText("(%d byte/sec)\r\n", rate)};
}

TimeReport EraseAllTimeReport(std::int64_t elapsedSeconds) {
  if (elapsedSeconds <= 0) return {{"\r\nErase All Time < 1 sec\r\n"}, "Erase All Time < 1 sec\r\n"};
  const auto elapsed = static_cast<int>(elapsedSeconds);
  return {{FormatText("\r\nErase All Time = %d sec\r\n", elapsed)}, FormatText("Erase All Time = %d sec\r\n", elapsed)};
}

}  // namespace vantrell
