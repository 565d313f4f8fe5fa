#pragma once
// The download window's way into its Read Master window: a new window at
// every press of Read Master, shown modally over the download window, each
// starting from what the earlier ones of the same download window left.
#include <functional>

#include "core/devices/device_record.h"

class QWidget;

namespace vantrell {
class ReadMasterSession;
}  // namespace vantrell

namespace vantrell::gui {

// One opener per showing of the download window.
std::function<void(QWidget* parent)> MakeReadMasterOpener(ReadMasterSession& session, SelectedDevice device);

}  // namespace vantrell::gui
