#include "cli/host/account_events.h"

namespace vantrell::cli {

void AccountEvents::Entered(const StageEntry& stage) {
  std::string path;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stage_ = stage;
    if (stage.file && *stage.file < paths_.size()) path = paths_[*stage.file];
  }
  stages_.Enter(StageName(stage.stage), stage.file, path);
}

void AccountEvents::Progress(std::uint64_t done) {
  StageEntry stage;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stage = stage_;
  }
  if (stage.unit == StageUnit::None) return;
  stages_.Progress(done, stage.units, UnitName(stage.unit));
}

void AccountEvents::Judged(const SocketVerdict& verdict) {
  std::lock_guard<std::mutex> lock(mutex_);
  verdicts_.push_back(verdict);
}

void AccountEvents::Ended(const OperationEnd& end) {
  std::lock_guard<std::mutex> lock(mutex_);
  end_ = end;
}

std::vector<SocketVerdict> AccountEvents::Verdicts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return verdicts_;
}

std::optional<OperationEnd> AccountEvents::End() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return end_;
}

}  // namespace vantrell::cli
