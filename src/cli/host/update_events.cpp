#include "cli/host/update_events.h"

namespace vantrell::cli {

void UpdateEvents::SetDeviceStatus(const std::string& text) {
  // The status lines start with a blank that only the window's layout wants.
  const std::size_t first = text.find_first_not_of(' ');
  stages_.Enter(first == std::string::npos ? std::string() : text.substr(first));
}

void UpdateEvents::SetByteCounter(const ByteCount& count) { stages_.Progress(count.done, count.total, "byte"); }

}  // namespace vantrell::cli
