#include "gui/program/download_view_bridge.h"

namespace vantrell::gui {
namespace {

enum PostedKind { kByteProgress };

using View = DownloadWindowView;

}  // namespace

void DownloadViewBridge::SetPackLine(std::size_t socket, const std::string& text) {
  Send(&View::SetPackLine, socket, text);
}
void DownloadViewBridge::SetPackColour(std::size_t socket, std::uint32_t colour) {
  Send(&View::SetPackColour, socket, colour);
}
void DownloadViewBridge::SetTotalProgressRange(int low, int high) { Send(&View::SetTotalProgressRange, low, high); }
void DownloadViewBridge::SetTotalProgressPosition(int position) { Send(&View::SetTotalProgressPosition, position); }
void DownloadViewBridge::SetTotalProgressShowPercentage(bool show) {
  Send(&View::SetTotalProgressShowPercentage, show);
}
void DownloadViewBridge::SetProgressText(const std::string& text) { Send(&View::SetProgressText, text); }
void DownloadViewBridge::SetByteProgress(const ByteCount& count) { Post(kByteProgress, &View::SetByteProgress, count); }
void DownloadViewBridge::UpdateFileProgress(std::size_t row, int percent) {
  Send(&View::UpdateFileProgress, row, percent);
}
void DownloadViewBridge::ShowCounters(const ResultCounters& counters) { Send(&View::ShowCounters, counters); }
bool DownloadViewBridge::IsCheckSumChecked() { return Send(&View::IsCheckSumChecked); }
void DownloadViewBridge::DisableRunButtons() { Send(&View::DisableRunButtons); }
void DownloadViewBridge::RestoreButtons() { Send(&View::RestoreButtons); }

}  // namespace vantrell::gui
