#include "gui/master/read_master_view_bridge.h"

namespace vantrell::gui {
namespace {

using View = ReadMasterView;

}  // namespace

void ReadMasterViewBridge::SetRange(int low, int high) { Send(&View::SetRange, low, high); }
void ReadMasterViewBridge::SetPosition(int position) { Send(&View::SetPosition, position); }
void ReadMasterViewBridge::SetShowPercentage(bool show) { Send(&View::SetShowPercentage, show); }
void ReadMasterViewBridge::ShowFinishedRead() { Send(&View::ShowFinishedRead); }
void ReadMasterViewBridge::EnableReadRun() { Send(&View::EnableReadRun); }

}  // namespace vantrell::gui
