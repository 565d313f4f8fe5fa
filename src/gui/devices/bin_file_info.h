#pragma once
// "All Device Information": every device image of the Device directory with
// the device it serves, one row each, in a read-only list (1027).
#include <vector>

#include <QDialog>

#include "core/devices/device_info.h"

namespace vantrell::gui {

class CCellListCtrl;

class CBinFileInfo : public QDialog {
  Q_OBJECT
 public:
  // The rows are those the main window has just built; the window shows
  // them as they are.
  CBinFileInfo(const std::vector<DeviceInfoRow>& rows, QWidget* parent);

  CCellListCtrl* List() const { return list_; }

 private:
  void InsertColumns();
  void AppendRow(const DeviceInfoRow& row);

  CCellListCtrl* list_;
};

}  // namespace vantrell::gui
