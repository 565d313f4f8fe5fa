#include "gui/app/device_window_placeholder.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/program/open_down_window.h"

namespace vantrell::gui {

void OpenDeviceWindow(DeviceWindowKind kind, QWidget* parent, const DeviceWindowContext& context) {
  if (kind == DeviceWindowKind::Download) {
    OpenDownWindow(context.controller, context.settings, context.prompt, parent);
  } else {
    OpenPlaceholderDeviceWindow(kind, parent);
  }
}

void OpenPlaceholderDeviceWindow(DeviceWindowKind kind, QWidget* parent) {
  QDialog window(parent);
  const bool nand = kind == DeviceWindowKind::Nand;
  window.setObjectName(nand ? "CNandFlashManagement" : "CDownWindow");
  window.setWindowTitle(nand ? "NAND Flash Management" : "Chip Programmer");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(nand ? "The writer runs a NAND device's firmware." : "The writer is ready to program.",
                               &window));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout->addWidget(buttons);
  window.exec();
}

}  // namespace vantrell::gui
