#include "cli/output/json_lines_output.h"

namespace vantrell::cli {

void JsonLinesOutput::Emit(const Event& event) {
  const std::string line = JsonLine(event);
  std::lock_guard<std::mutex> lock(mutex_);
  out_ << line << '\n' << std::flush;
}

}  // namespace vantrell::cli
