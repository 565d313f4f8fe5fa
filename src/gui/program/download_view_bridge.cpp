#include "gui/program/download_view_bridge.h"

namespace vantrell::gui {
namespace {

enum PostedKind { kByteProgress };

}  // namespace

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

void DownloadViewBridge::SetByteProgress(const ByteCount& count) {
  PostToWindow(kByteProgress, [count](DownloadWindowView& w) { w.SetByteProgress(count); });
}

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
