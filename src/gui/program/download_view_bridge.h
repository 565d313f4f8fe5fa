#pragma once
// How a programming worker reaches the download window: every call is
// carried to the GUI thread and waited for, like a window message sent from
// another thread — but the byte count of every packet, which is posted and
// not waited for. The window detaches itself when it closes; a call that was
// already on its way then finds no window and does nothing (the CheckSum box
// reads unchecked). The bridge may outlive the window: the worker's run holds
// it through a shared pointer.

#include "core/program/run/download_window_view.h"
#include "gui/common/posted_display.h"

namespace vantrell::gui {

class DownloadViewBridge final : public DownloadWindowView {
 public:
  // window is the GUI-thread implementation; it must detach before it goes.
  explicit DownloadViewBridge(DownloadWindowView& window);

  // From the GUI thread only.
  void Detach() { window_ = nullptr; }

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

 private:
  // Runs call on the GUI thread with the window, when there still is one.
  template <typename Call>
  void OnWindow(Call call);

  // Read and written on the GUI thread only.
  DownloadWindowView* window_;
  PostedDisplay<ByteCount> byteProgress_;
};

}  // namespace vantrell::gui
