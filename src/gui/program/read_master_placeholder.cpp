#include "gui/program/read_master_placeholder.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vantrell::gui {

void OpenReadMasterPlaceholder(QWidget* parent) {
  QDialog window(parent);
  window.setObjectName("CReadMasterDlg");
  window.setWindowTitle("Read Master Chip");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("Reading the MASTER chip back is not available in this build.", &window));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout->addWidget(buttons);
  window.exec();
}

}  // namespace vantrell::gui
