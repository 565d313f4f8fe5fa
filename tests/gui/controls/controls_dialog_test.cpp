// Builds a dialog holding all four controls with the content the program's
// windows give them, and saves a picture of it for a person to look at.
#include <QDialog>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "gui/common/control_lookup.h"
#include "gui/controls/cell_list_ctrl.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/num_edit.h"
#include "gui/controls/percent_progress_ctrl.h"

namespace vantrell::gui {
namespace {

constexpr ColourRef kGreyRow = 0xC8C8C8;  // RGB(200, 200, 200)
constexpr ColourRef kWhite = 0xFFFFFF;

CCellListCtrl* DownloadList(QWidget* parent) {
  auto* list = new CCellListCtrl(parent);
  list->setObjectName(ControlName(control_id::down_window::kFileList));
  list->SetGridLines(true);
  const char* captions[] = {"No.", "En", "Sector No.", "Progress", "File Name", "CheckSum", "File Path"};
  const int widths[] = {35, 50, 85, 160, 220, 105, 700};
  for (int c = 0; c < 7; ++c) {
    list->InsertColumn(c, captions[c], widths[c], c == 3 ? ColumnAlign::Centre : ColumnAlign::Left, c == 1 ? 2 : 0);
  }
  list->SetHeaderTextColour(-1, 0xFF0000);
  struct Row {
    const char* sector;
    int percent;
    const char* name;
    const char* checksum;
    bool enabled;
  } rows[] = {{"0", 100, "boot_loader.bin", "340BC6D9", true},
              {"16", 62, "펌웨어_v2.bin", "1A2B3C4D", true},
              {"64", 0, "calibration data.bin", "", false}};
  for (const Row& r : rows) {
    const int row = list->InsertItem(list->GetItemCount(), QString::number(list->GetItemCount() + 1));
    list->SetCheckbox(row, 1, r.enabled ? 2 : 1);
    list->SetItemText(row, 2, r.sector);
    list->SetEditable(row, 2);
    list->SetProgress(row, 3, true);
    list->UpdateProgress(row, 3, r.percent);
    list->SetItemText(row, 4, QString::fromUtf8(r.name));
    list->SetItemText(row, 5, r.checksum);
    list->SetItemText(row, 6, QString::fromUtf8("C:\\Vantrell\\Images\\") + QString::fromUtf8(r.name));
    list->SetItemColours(row, -1, kListDefaultColour, r.enabled ? kWhite : kGreyRow);
  }
  list->SetItemBold(0, 4, true);
  return list;
}

CCellListCtrl* EmptyList(QWidget* parent) {
  auto* list = new CCellListCtrl(parent);
  list->SetGridLines(true);
  const char* captions[] = {"Dev Name", "Dev No.", "Version", "Sec Size[KB]", "Flash Size[KB]", "File Name"};
  for (int c = 0; c < 6; ++c) list->InsertColumn(c, captions[c], c == 5 ? 150 : 100);
  list->SetHeaderTextColour(-1, 0xFF0000);
  list->SetEmptyMessage("[Load Files] button click to download\r\n\r\n[Mouse Drag & Drop] to download");
  return list;
}

QGroupBox* EditsBox(QWidget* parent) {
  auto* box = new QGroupBox("Entry fields", parent);
  auto* form = new QFormLayout(box);
  struct Field {
    const char* label;
    const char* mask;
    const char* literal;
    const char* defaultText;
    const char* value;
  } fields[] = {{"Start Address", "0xHHHHHHHH", "0x________", "0x00000000", "0x0001F000"},
                {"Length", "999999 [byte]", "______ [byte]", "000000 [byte]", "004096 [byte]"},
                {"Read Start Block", "99999", "_____", "00000", "00012"},
                {"Erase First Block", "9999", "____", "0000", "0023"}};
  for (const Field& f : fields) {
    auto* edit = new CMaskEdit(box);
    edit->SetEditMask(f.mask, f.literal, f.defaultText);
    edit->SetWindowText(f.value);
    form->addRow(f.label, edit);
  }
  auto* hex = new CNumEdit(box);
  hex->SetEditValue(0x3F, NumEditMode::Hexadecimal, 1);
  hex->SetColours(0x000000, 0x00FFFF, 0xFFFFFF, 0x0000FF);
  auto* decimal = new CNumEdit(box);
  decimal->SetEditValue(30, NumEditMode::Decimal, 1);
  decimal->SetColours(0x000000, 0x00FFFF, 0xFFFFFF, 0x0000FF);
  decimal->setText("300");
  auto* editors = new QHBoxLayout;
  editors->addWidget(hex);
  editors->addWidget(decimal);
  editors->addStretch();
  form->addRow("Value editors", editors);
  return box;
}

TEST(ControlsDialog, ShowsAllFourControlsAndSavesAPicture) {
  QDialog dialog;
  dialog.setWindowTitle("Display controls");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("Download list", &dialog));
  CCellListCtrl* list = DownloadList(&dialog);
  list->setMinimumHeight(110);
  layout->addWidget(list);
  layout->addWidget(new QLabel("Empty list", &dialog));
  CCellListCtrl* empty = EmptyList(&dialog);
  empty->setMinimumHeight(100);
  layout->addWidget(empty);
  layout->addWidget(new QLabel("Total Progress", &dialog));
  auto* bar = new CPercentProgressCtrl(&dialog);
  bar->setFixedHeight(18);
  bar->SetBarColour(0x990000);
  bar->SetBackgroundColour(0xFFFFFF);
  layout->addWidget(bar);
  layout->addWidget(EditsBox(&dialog));
  dialog.resize(760, 560);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  bar->SetRange(0, 100);
  bar->SetShowPercentage(true);
  bar->SetPosition(50);
  list->clearSelection();

  const QImage image = dialog.grab().toImage();
  ASSERT_FALSE(image.isNull());
  const QString dir = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(dir));
  EXPECT_TRUE(image.save(dir + "/controls_dialog.png"));
}

}  // namespace
}  // namespace vantrell::gui
