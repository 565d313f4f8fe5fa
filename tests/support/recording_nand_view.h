#pragma once
// A NAND window that records what its workers show, one line per call, and
// whose edits read as the test typed them (empty when not typed).
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/nand/operations/nand_window_view.h"

namespace vantrell::test {

class RecordingNandView : public NandWindowView {
 public:
  void SetRange(int low, int high) override { Add("range " + std::to_string(low) + "-" + std::to_string(high)); }
  void SetPosition(int position) override { Add("position " + std::to_string(position)); }
  void SetShowPercentage(bool show) override { Add(show ? "percent on" : "percent off"); }
  void SetInformationText(NandInfoField field, const std::string& text) override {
    Add(std::to_string(1060 + static_cast<int>(field)) + " " + text);
  }
  void SetFatStartEditText(const std::string& text) override { Add("1080 " + text); }
  void SetStatusText(const std::string& text) override { Add("status " + text); }
  std::string EditText(NandEdit edit) override {
    std::lock_guard<std::mutex> lock(mutex_);
    return edits_[edit];
  }
  void Type(NandEdit edit, std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    edits_[edit] = std::move(text);
  }
  void DisableOperationControls() override { Add("disable operations"); }
  void DisableReadBadBlock() override { Add("disable 1065"); }
  void RestoreAll(bool hasBadBlocks) override { Add(hasBadBlocks ? "restore all with 1065" : "restore all"); }
  void EnableRefresh() override { Add("enable 1095"); }
  void EnableReadBadBlock() override { Add("enable 1065"); }
  void ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) override {
    std::string line = "bad block list " + std::to_string(count) + ":";
    for (std::int32_t e : entries) line += " " + std::to_string(e);
    Add(line);
  }
  void ShowReadBlocks(std::span<const std::uint8_t> blocks) override {
    Add("read blocks " + std::to_string(blocks.size()));
    std::lock_guard<std::mutex> lock(mutex_);
    shownBlocks_.assign(blocks.begin(), blocks.end());
  }
  // What the last Read NAND Flash view was given.
  std::vector<std::uint8_t> ShownBlocks() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shownBlocks_;
  }

  std::vector<std::string> Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }

 private:
  void Add(std::string call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
  }

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  std::map<NandEdit, std::string> edits_;
  std::vector<std::uint8_t> shownBlocks_;
};

}  // namespace vantrell::test
