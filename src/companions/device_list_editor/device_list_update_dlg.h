#pragma once
// "DeviceListUpdate": the device list the program file carries, loaded into
// a list whose cells the operator edits in place, with rows added and
// removed, and registered back into the program file.
#include <memory>
#include <string>

#include <QDialog>

#include "core/devices/device_list_draft.h"

class QPushButton;

namespace vantrell {
class Prompt;
}

namespace vantrell::gui {

class CCellListCtrl;

class CDeviceListUpdateDlg : public QDialog {
  Q_OBJECT

 public:
  // programFile: the program file whose device list is edited. Boxes go to
  // prompt, or to message boxes over the window when it is null.
  explicit CDeviceListUpdateDlg(std::string programFile, std::shared_ptr<Prompt> prompt = nullptr,
                                QWidget* parent = nullptr);
  ~CDeviceListUpdateDlg() override;

  CCellListCtrl* List() const { return list_; }
  const DeviceListDraft& Draft() const { return draft_; }

  void OnLoad();
  void OnRegister();
  void OnAddDevice();
  void OnDeleteDevices();

  // Closing with edits not registered asks first.
  void reject() override;

 private:
  void InsertColumns();
  void ShowRows();
  void ShowRow(int row);
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled, bool* accept);
  bool MayDropEdits(const char* question);
  void Tell(const std::string& text);
  void EnableEditing(bool on);

  std::string programFile_;
  std::shared_ptr<Prompt> prompt_;
  DeviceListDraft draft_;
  bool loaded_ = false;
  CCellListCtrl* list_;
  QPushButton* load_;
  QPushButton* register_;
  QPushButton* add_;
  QPushButton* delete_;
};

}  // namespace vantrell::gui
