#include "gui/app/about_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/app/product_version.h"
#include "core/text/format.h"
#include "gui/common/control_lookup.h"

namespace vantrell::gui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("CAboutDlg");
  setWindowTitle(QString::fromUtf8("Vantrell 정보(F12)"));

  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(32, 32));
  auto* product = new QLabel("Vantrell", this);
  QFont bold = product->font();
  bold.setBold(true);
  product->setFont(bold);
  auto* version = new QLabel(QString::fromStdString(FormatText("Product Version : %s", kProductVersionText)), this);
  version->setObjectName(ControlName(control_id::about_box::kVersion));
  auto* build = new QLabel(
      QString::fromStdString(FormatText("BuildNo : %d, match to %s", kBuildNumber, kBuildDate)), this);
  build->setObjectName(ControlName(control_id::about_box::kBuild));

  auto* ok = new QPushButton(QString::fromUtf8("확인"), this);
  ok->setObjectName("IDOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addWidget(build);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  top->addWidget(ok, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  setFixedSize(sizeHint());
}

}  // namespace vantrell::gui
