#include "gui/program/download_view_bridge.h"

#include <QCoreApplication>

#include "gui/common/gui_thread.h"

namespace vantrell::gui {

DownloadViewBridge::DownloadViewBridge(DownloadWindowView& window)
    : window_(&window), byteProgress_([this](const ByteCount& count) {
        if (window_ != nullptr) window_->SetByteProgress(count);
      }) {}

template <typename Call>
void DownloadViewBridge::OnWindow(Call call) {
  // The application object outlives every window, so the call always has a
  // thread to run on, whatever became of the window meanwhile.
  RunOnGuiThread(QCoreApplication::instance(), [this, &call] {
    if (window_ != nullptr) call(*window_);
  });
}

void DownloadViewBridge::SetPackLine(std::size_t socket, const std::string& text) {
  OnWindow([&](DownloadWindowView& w) { w.SetPackLine(socket, text); });
}

void DownloadViewBridge::SetPackColour(std::size_t socket, std::uint32_t colour) {
  OnWindow([&](DownloadWindowView& w) { w.SetPackColour(socket, colour); });
}

void DownloadViewBridge::SetTotalProgressRange(int low, int high) {
  OnWindow([&](DownloadWindowView& w) { w.SetTotalProgressRange(low, high); });
}

void DownloadViewBridge::SetTotalProgressPosition(int position) {
  OnWindow([&](DownloadWindowView& w) { w.SetTotalProgressPosition(position); });
}

void DownloadViewBridge::SetTotalProgressShowPercentage(bool show) {
  OnWindow([&](DownloadWindowView& w) { w.SetTotalProgressShowPercentage(show); });
}

void DownloadViewBridge::SetProgressText(const std::string& text) {
  OnWindow([&](DownloadWindowView& w) { w.SetProgressText(text); });
}

void DownloadViewBridge::SetByteProgress(const ByteCount& count) { byteProgress_.Post(count); }

void DownloadViewBridge::UpdateFileProgress(std::size_t row, int percent) {
  OnWindow([&](DownloadWindowView& w) { w.UpdateFileProgress(row, percent); });
}

void DownloadViewBridge::ShowCounters(const ResultCounters& counters) {
  OnWindow([&](DownloadWindowView& w) { w.ShowCounters(counters); });
}

bool DownloadViewBridge::IsCheckSumChecked() {
  bool checked = false;
  OnWindow([&](DownloadWindowView& w) { checked = w.IsCheckSumChecked(); });
  return checked;
}

void DownloadViewBridge::DisableRunButtons() {
  OnWindow([](DownloadWindowView& w) { w.DisableRunButtons(); });
}

void DownloadViewBridge::RestoreButtons() {
  OnWindow([](DownloadWindowView& w) { w.RestoreButtons(); });
}

}  // namespace vantrell::gui
