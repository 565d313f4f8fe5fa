#pragma once
// The Read Master window's place until the window itself exists: a bare
// modal window of its class over the download window. It reads nothing, so
// it never reaches the writer link.
class QWidget;

namespace vantrell::gui {

void OpenReadMasterPlaceholder(QWidget* parent);

}  // namespace vantrell::gui
