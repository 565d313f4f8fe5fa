#pragma once
// --json: one event per line on standard output, flushed at once so that a
// line controller reading the pipe sees each event as it happens.
#include <mutex>
#include <ostream>

#include "cli/output/event_output.h"

namespace vantrell::cli {

class JsonLinesOutput final : public EventOutput {
 public:
  explicit JsonLinesOutput(std::ostream& out) : out_(out) {}
  void Emit(const Event& event) override;

 private:
  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace vantrell::cli
