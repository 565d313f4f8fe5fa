#pragma once
// Records what a dump view reports, one entry per call.
#include <cstdint>
#include <vector>

#include "core/controls/hexdump/dump_notify.h"

namespace vantrell::test {

struct DumpNotice {
  int code = 0;  // 0x464 to 0x467, or 0 for a menu command
  int viewId = 0;
  std::int64_t a = 0;
  std::int64_t b = 0;
  bool operator==(const DumpNotice&) const = default;
};

class RecordingDumpNotify : public HexDumpNotify {
 public:
  void DumpValueEdited(int viewId, int item, std::uint32_t value) override {
    notices.push_back({kDumpValueEditedCode, viewId, item, value});
  }
  void DumpTopChanged(int viewId, int top) override { notices.push_back({kDumpTopChangedCode, viewId, top, 0}); }
  void DumpMenuOpening(int viewId, int area, int item) override {
    notices.push_back({kDumpMenuOpeningCode, viewId, area, item});
  }
  void DumpSelectionMade(int viewId, int first, int last) override {
    notices.push_back({kDumpSelectionMadeCode, viewId, first, last});
  }
  void DumpCommand(int viewId, int command) override { notices.push_back({0, viewId, command, 0}); }

  std::vector<DumpNotice> Of(int code) const {
    std::vector<DumpNotice> found;
    for (const DumpNotice& notice : notices) {
      if (notice.code == code) found.push_back(notice);
    }
    return found;
  }

  std::vector<DumpNotice> notices;
};

}  // namespace vantrell::test
