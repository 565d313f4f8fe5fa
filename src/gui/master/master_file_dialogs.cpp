#include "gui/master/master_file_dialogs.h"

#include <QFileDialog>

#include "gui/program/data_file_dialog.h"

namespace vantrell::gui {

std::string ChooseComparisonFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                      ToQtFileFilter(QString::fromUtf8(kDataFileFilter)))
      .toStdString();
}

std::string ChooseReadDataFile(QWidget* parent) {
  QFileDialog dialog(parent, QString(), QString(), ToQtFileFilter(QString::fromUtf8(kSaveReadDataFilter)));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("bin"));
  dialog.selectFile(QString::fromLatin1(kSaveReadDataName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace vantrell::gui
