#include "gui/program/data_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace vantrell::gui {

QString ToQtFileFilter(const QString& filter) {
  const QStringList parts = filter.split('|', Qt::SkipEmptyParts);
  QStringList descriptions;
  // Even entries describe, odd entries list the patterns the description
  // already shows in parentheses.
  for (qsizetype i = 0; i < parts.size(); i += 2) descriptions << parts[i];
  return descriptions.join(";;");
}

std::vector<std::string> ChooseDataFiles(QWidget* parent) {
  const QStringList chosen =
      QFileDialog::getOpenFileNames(parent, QString(), QString(), ToQtFileFilter(QString::fromUtf8(kDataFileFilter)));
  std::vector<std::string> paths;
  for (const QString& path : chosen) paths.push_back(path.toStdString());
  return paths;
}

}  // namespace vantrell::gui
