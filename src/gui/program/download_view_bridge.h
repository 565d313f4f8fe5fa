#pragma once
// How a programming worker reaches the download window: every call is
// carried to the GUI thread and waited for, like a window message sent from
// another thread — but the byte count of every packet, which is posted and
// not waited for. Once the window has detached, the CheckSum box reads
// unchecked.

#include "core/program/window/download_window_view.h"
#include "gui/common/view_bridge.h"

namespace vantrell::gui {

class DownloadViewBridge final : public DownloadWindowView, public ViewBridge<DownloadWindowView> {
 public:
  using ViewBridge::ViewBridge;

  void SetPackLine(std::size_t socket, const std::string& text) override;
  void SetPackColour(std::size_t socket, std::uint32_t colour) override;
  void SetTotalProgressRange(int low, int high) override;
  void SetTotalProgressPosition(int position) override;
  void SetTotalProgressShowPercentage(bool show) override;
  void SetProgressText(const std::string& text) override;
  void SetByteProgress(const ByteCount& count) override;
  void UpdateFileProgress(std::size_t row, int percent) override;
  void ShowCounters(const ResultCounters& counters) override;
  bool IsCheckSumChecked() override;
  void DisableRunButtons() override;
  void RestoreButtons() override;
};

}  // namespace vantrell::gui
