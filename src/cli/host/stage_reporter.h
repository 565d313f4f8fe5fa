#pragma once
// Turns what a worker shows into "stage" and "progress" events: a stage
// event whenever the running stage (its name and file) changes, progress at
// most about ten times a second and always at the end of a stage.
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "cli/output/progress_throttle.h"

namespace vantrell::cli {

class EventOutput;

class StageReporter {
 public:
  explicit StageReporter(EventOutput& events) : events_(events) {}

  // True when this begins a stage (and its event went out), false when it
  // is the stage already running.
  bool Enter(const std::string& name, std::optional<std::size_t> file = std::nullopt, const std::string& path = {});
  // Progress of the running stage; unit is "byte" or "sector".
  void Progress(std::uint64_t done, std::uint64_t total, const char* unit);

 private:
  EventOutput& events_;
  std::mutex mutex_;
  std::string name_;
  std::optional<std::size_t> file_;
  bool entered_ = false;
  ProgressThrottle throttle_;
};

}  // namespace vantrell::cli
