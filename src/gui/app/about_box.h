#pragma once
#include <QDialog>

namespace vantrell::gui {

// The About box: product name, version and build.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent);
};

}  // namespace vantrell::gui
