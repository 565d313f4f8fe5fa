#include "cli/app/exit_codes.h"

namespace vantrell::cli {

ExitCode ExitForChipRun(LinkResult code, std::size_t served, std::size_t passed, bool linkOpened) {
  if (!linkOpened) return ExitCode::LinkError;
  switch (code) {
    case LinkResult::WriteUsbError:
    case LinkResult::ReadUsbError:
    case LinkResult::CommError:
      return ExitCode::LinkError;
    case LinkResult::Finished:
      if (passed >= served && served > 0) return ExitCode::AllPassed;
      return passed == 0 ? ExitCode::AllFailed : ExitCode::SomeFailed;
    default:
      // Reported: every chip failed its checks.
      return passed == 0 ? ExitCode::AllFailed : ExitCode::SomeFailed;
  }
}

const char* LinkResultName(LinkResult code) {
  switch (code) {
    case LinkResult::Reported:
      return "Reported";
    case LinkResult::Success:
      return "Success";
    case LinkResult::WriteUsbError:
      return "WriteUsbError";
    case LinkResult::ReadUsbError:
      return "ReadUsbError";
    case LinkResult::CommError:
      return "CommError";
    case LinkResult::Finished:
      return "Finished";
    case LinkResult::BadBlock:
      return "BadBlock";
  }
  return "Unknown";
}

}  // namespace vantrell::cli
