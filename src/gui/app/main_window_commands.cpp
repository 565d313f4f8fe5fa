// The main window's commands that hand over to a view or to a companion
// tool: the two information views, the update check and the device list
// editor.
#include <QApplication>

#include "core/app/run_controller.h"
#include "core/devices/device_info.h"
#include "core/program/session/programming_session.h"
#include "core/update/companion_tool.h"
#include "gui/app/main_window.h"
#include "gui/devices/bin_file_info.h"
#include "gui/update/update_check_command.h"

namespace vantrell::gui {

void CVantrellDlg::OnCurrentDeviceInfo() {
  prompt_->Tell(CurrentDeviceInfoBox(controller_->Images().Selected(), controller_->Catalogue()));
}

void CVantrellDlg::OnAllDeviceInfo() {
  CBinFileInfo view(ListDeviceInfo(controller_->Images(), controller_->Catalogue()), this);
  view.exec();
}

void CVantrellDlg::OnUpdateCheck() {
  if (RunUpdateCheck(*prompt_, controller_->Location().programDirectory)) EndWithoutSaving();
}

void CVantrellDlg::OnDeviceListUpdate() {
  if (LaunchCompanionTool(kDeviceListEditor, CompanionPlaceFor(controller_->Location().programDirectory), *prompt_)) {
    EndWithoutSaving();
  }
}

void CVantrellDlg::EndWithoutSaving() {
  closing_ = true;
  controller_->CloseWithoutSaving();
  LetAbandonedWorkersGo();
  done(QDialog::Rejected);
}

}  // namespace vantrell::gui
