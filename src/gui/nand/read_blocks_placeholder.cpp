#include "gui/nand/read_blocks_placeholder.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vantrell::gui {

void OpenReadBlocksPlaceholder(QWidget* parent, std::span<const std::uint8_t> blocks) {
  QDialog window(parent);
  window.setObjectName("CReadNdFlash");
  window.setWindowTitle("Read NAND Flash");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QString("%1 bytes read.").arg(blocks.size()), &window));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout->addWidget(buttons);
  window.exec();
}

}  // namespace vantrell::gui
