#include "gui/nand/nand_view_bridge.h"

namespace vantrell::gui {
namespace {

// Kinds of posted update: a newer one of the same kind replaces an older.
// The controls that come back at a worker's end are posted too: the worker
// has given the link back by then and must not wait for the window any more.
enum PostedKind { kPosition, kStatusText, kRestoreAll, kRefreshOn, kReadBadBlockOn };

using View = NandWindowView;

}  // namespace

void NandViewBridge::SetRange(int low, int high) { Send(&View::SetRange, low, high); }
void NandViewBridge::SetPosition(int position) { Post(kPosition, &View::SetPosition, position); }
void NandViewBridge::SetShowPercentage(bool show) { Send(&View::SetShowPercentage, show); }
void NandViewBridge::SetInformationText(NandInfoField field, const std::string& text) {
  Send(&View::SetInformationText, field, text);
}
void NandViewBridge::SetFatStartEditText(const std::string& text) { Send(&View::SetFatStartEditText, text); }
void NandViewBridge::SetStatusText(const std::string& text) { Post(kStatusText, &View::SetStatusText, text); }
std::string NandViewBridge::EditText(NandEdit edit) { return Send(&View::EditText, edit); }
void NandViewBridge::DisableOperationControls() { Send(&View::DisableOperationControls); }
void NandViewBridge::DisableReadBadBlock() { Send(&View::DisableReadBadBlock); }
void NandViewBridge::RestoreAll(bool hasBadBlocks) { Post(kRestoreAll, &View::RestoreAll, hasBadBlocks); }
void NandViewBridge::EnableRefresh() { Post(kRefreshOn, &View::EnableRefresh); }
void NandViewBridge::EnableReadBadBlock() { Post(kReadBadBlockOn, &View::EnableReadBadBlock); }
// Both wait until the operator closed the modal window, so the worker's
// buffer the span shows lives as long as the window looks at it.
void NandViewBridge::ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) {
  Send(&View::ShowBadBlockList, count, entries);
}
void NandViewBridge::ShowReadBlocks(std::span<const std::uint8_t> blocks) { Send(&View::ShowReadBlocks, blocks); }

}  // namespace vantrell::gui
