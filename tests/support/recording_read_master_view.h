#pragma once
// A Read Master window that records what a read worker shows, in order.
#include <mutex>
#include <string>
#include <vector>

#include "core/master/read_master_view.h"

namespace vantrell::test {

class RecordingReadMasterView : public ReadMasterView {
 public:
  void SetRange(int low, int high) override { Add("range " + std::to_string(low) + "-" + std::to_string(high)); }
  void SetPosition(int position) override { Add("pos " + std::to_string(position)); }
  void SetShowPercentage(bool show) override { Add(show ? "percent on" : "percent off"); }
  void ShowFinishedRead() override { Add("finished"); }
  void EnableReadRun() override { Add("read run"); }

  std::vector<std::string> Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }
  bool Saw(const std::string& call) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::string& c : calls_)
      if (c == call) return true;
    return false;
  }

 private:
  void Add(std::string call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
  }

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace vantrell::test
