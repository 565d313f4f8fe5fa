#pragma once
// The Read Master window as vantrell-cli shows it: the read's account
// becomes the "Read Master" stage and its progress in bytes.
#include "cli/host/account_events.h"
#include "core/master/read_master_view.h"

namespace vantrell::cli {

class ReadMasterEvents final : public AccountedView<NullReadMasterView> {
 public:
  explicit ReadMasterEvents(EventOutput& events) : AccountedView(events, {}) {}
};

}  // namespace vantrell::cli
