#include "gui/nand/nand_view_bridge.h"

namespace vantrell::gui {
namespace {

// Kinds of posted update: a newer one of the same kind replaces an older.
// The controls that come back at a worker's end are posted too: the worker
// has given the link back by then and must not wait for the window any more.
enum PostedKind { kPosition, kStatusText, kRestoreAll, kRefreshOn, kReadBadBlockOn };

}  // namespace

void NandViewBridge::SetRange(int low, int high) {
  OnWindow([&](NandWindowView& w) { w.SetRange(low, high); });
}

void NandViewBridge::SetPosition(int position) {
  PostToWindow(kPosition, [position](NandWindowView& w) { w.SetPosition(position); });
}

void NandViewBridge::SetShowPercentage(bool show) {
  OnWindow([&](NandWindowView& w) { w.SetShowPercentage(show); });
}

void NandViewBridge::SetInformationText(NandInfoField field, const std::string& text) {
  OnWindow([&](NandWindowView& w) { w.SetInformationText(field, text); });
}

void NandViewBridge::SetFatStartEditText(const std::string& text) {
  OnWindow([&](NandWindowView& w) { w.SetFatStartEditText(text); });
}

void NandViewBridge::SetStatusText(const std::string& text) {
  PostToWindow(kStatusText, [text](NandWindowView& w) { w.SetStatusText(text); });
}

std::string NandViewBridge::EditText(NandEdit edit) {
  std::string text;
  OnWindow([&](NandWindowView& w) { text = w.EditText(edit); });
  return text;
}

void NandViewBridge::DisableOperationControls() {
  OnWindow([](NandWindowView& w) { w.DisableOperationControls(); });
}

void NandViewBridge::DisableReadBadBlock() {
  OnWindow([](NandWindowView& w) { w.DisableReadBadBlock(); });
}

void NandViewBridge::RestoreAll(bool hasBadBlocks) {
  PostToWindow(kRestoreAll, [hasBadBlocks](NandWindowView& w) { w.RestoreAll(hasBadBlocks); });
}

void NandViewBridge::EnableRefresh() {
  PostToWindow(kRefreshOn, [](NandWindowView& w) { w.EnableRefresh(); });
}

void NandViewBridge::EnableReadBadBlock() {
  PostToWindow(kReadBadBlockOn, [](NandWindowView& w) { w.EnableReadBadBlock(); });
}

void NandViewBridge::ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) {
  OnWindow([&](NandWindowView& w) { w.ShowBadBlockList(count, entries); });
}

void NandViewBridge::ShowReadBlocks(std::span<const std::uint8_t> blocks) {
  OnWindow([&](NandWindowView& w) { w.ShowReadBlocks(blocks); });
}

}  // namespace vantrell::gui
