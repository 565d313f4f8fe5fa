#pragma once
// The Read Master window as vantrell-cli shows it: the read's account
// becomes the "Read Master" stage and its progress in bytes.
#include "cli/host/account_events.h"
#include "core/master/read_master_view.h"

namespace vantrell::cli {

class ReadMasterEvents final : public AccountedView<ReadMasterView> {
 public:
  explicit ReadMasterEvents(EventOutput& events) : AccountedView(events, {}) {}

  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void SetShowPercentage(bool) override {}
  void ShowFinishedRead() override {}
  void EnableReadRun() override {}
};

}  // namespace vantrell::cli
