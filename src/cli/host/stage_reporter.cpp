#include "cli/host/stage_reporter.h"

#include "cli/output/event_output.h"

namespace vantrell::cli {
namespace {

Event FileField(std::optional<std::size_t> file) { return file ? Event(*file) : Event(nullptr); }

}  // namespace

bool StageReporter::Enter(const std::string& name, std::optional<std::size_t> file, const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (entered_ && name == name_ && file == file_) return false;
  entered_ = true;
  name_ = name;
  file_ = file;
  Event event = MakeEvent("stage");
  event["name"] = name;
  event["file"] = FileField(file);
  if (!path.empty()) event["path"] = path;
  events_.Emit(event);
  return true;
}

void StageReporter::Progress(std::uint64_t done, std::uint64_t total, const char* unit) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!throttle_.Admit(done, total, ProgressThrottle::Clock::now())) return;
  Event event = MakeEvent("progress");
  event["stage"] = name_;
  event["file"] = FileField(file_);
  event["done"] = done;
  event["total"] = total;
  event["unit"] = unit;
  events_.Emit(event);
}

}  // namespace vantrell::cli
