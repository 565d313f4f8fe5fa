#pragma once
// How a NAND worker reaches the NAND window: the status text, the progress
// bar's position and the controls that come back at the end are posted
// (only the newest of each counts), every other call is carried to the GUI
// thread and waited for.
#include "core/nand/operations/nand_window_view.h"
#include "gui/common/view_bridge.h"

namespace vantrell::gui {

class NandViewBridge final : public NandWindowView, public ViewBridge<NandWindowView> {
 public:
  using ViewBridge::ViewBridge;

  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetShowPercentage(bool show) override;
  void SetInformationText(NandInfoField field, const std::string& text) override;
  void SetFatStartEditText(const std::string& text) override;
  void SetStatusText(const std::string& text) override;
  std::string EditText(NandEdit edit) override;
  void DisableOperationControls() override;
  void DisableReadBadBlock() override;
  void RestoreAll(bool hasBadBlocks) override;
  void EnableRefresh() override;
  void EnableReadBadBlock() override;
  void ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) override;
  void ShowReadBlocks(std::span<const std::uint8_t> blocks) override;
};

}  // namespace vantrell::gui
