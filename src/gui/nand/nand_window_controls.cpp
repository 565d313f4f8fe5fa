#include "gui/nand/nand_window_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/common/control_lookup.h"
#include "gui/common/dialog_controls.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"

namespace vantrell::gui {
namespace {

namespace ids = control_id::nand;

template <typename Control>
Control* Place(Control* control, const DialogUnits& units, int id, DialogPlace p) {
  control->setObjectName(ControlName(id));
  control->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  return control;
}

CMaskEdit* AddMaskEdit(QWidget& window, const DialogUnits& units, int id, DialogPlace p) {
  CMaskEdit* edit = Place(new CMaskEdit(&window), units, id, p);
  edit->setAlignment(Qt::AlignCenter);
  return edit;
}

QCheckBox* AddCheckBox(QWidget& window, const DialogUnits& units, int id, DialogPlace p) {
  return Place(new QCheckBox(&window), units, id, p);
}

void AddInformation(QWidget& window, const DialogUnits& units, NandWindowControls& c) {
  AddFrame(window, units, "NAND Flash Information", {7, 4, 200, 88});
  const char* labels[5] = {"Device(Manufacture) Name :", "Total Block Count :", "Block Size :", "Bad Block Count :",
                           "FAT Start Block Number :"};
  const int widths[5] = {80, 80, 80, 18, 80};
  for (int i = 0; i < 5; ++i) {
    const int top = 17 + 13 * i;
    AddCaption(window, units, labels[i], {14, top, 104, 9});
    c.information[i] = AddStatic(window, units, ids::kInformation[i], "", {120, top, widths[i], 9});
  }
  c.readBadBlock = AddButton(window, units, ids::kReadBadBlock, "Read Bad Block", {140, 54, 60, 13});
  c.refresh = AddButton(window, units, ids::kRefresh, "Refresh", {140, 73, 60, 15});
}

void AddBlockRead(QWidget& window, const DialogUnits& units, NandWindowControls& c) {
  AddFrame(window, units, "NAND Flash Read(Block)", {212, 4, 113, 88});
  AddFrame(window, units, "Start Block Numer", {219, 15, 99, 25});
  c.readStart = AddMaskEdit(window, units, ids::kReadStart, {246, 25, 44, 12});
  AddFrame(window, units, "Read Count(Block)", {219, 42, 99, 25});
  c.readCount = AddMaskEdit(window, units, ids::kReadCount, {246, 52, 44, 12});
  c.readBlock = AddButton(window, units, ids::kReadBlock, "Read Block", {219, 72, 99, 15});
}

void AddDownloadFiles(QWidget& window, const DialogUnits& units, NandWindowControls& c) {
  AddFrame(window, units, "Download Files", {7, 96, 318, 106});
  AddFrame(window, units, "Down Start Block", {180, 104, 64, 60});
  AddFrame(window, units, "Size[byte]", {248, 104, 70, 60});
  const char* openCaptions[3] = {"Open File1", "Open File2", "Open File3"};
  for (std::size_t k = 0; k < kNandFileCount; ++k) {
    const int top = 116 + 16 * static_cast<int>(k);
    c.fileCheck[k] = AddCheckBox(window, units, ids::kFileCheck[k], {14, top + 1, 10, 10});
    c.openFile[k] = AddButton(window, units, ids::kOpenFile[k], openCaptions[k], {26, top - 1, 48, 14});
    c.fileName[k] = AddEdit(window, units, ids::kFileName[k], {78, top, 98, 12});
    c.startBlock[k] = AddMaskEdit(window, units, ids::kStartBlock[k], {188, top, 48, 12});
    c.fileSize[k] = AddEdit(window, units, ids::kFileSize[k], {255, top, 56, 12});
    c.fileSize[k]->setReadOnly(true);
    c.fileSize[k]->setAlignment(Qt::AlignCenter);
  }
  AddFrame(window, units, "FAT Start Block Number", {14, 167, 110, 30});
  c.fatStart = AddMaskEdit(window, units, ids::kFatStart, {22, 180, 48, 12});
  c.fatCheck = AddCheckBox(window, units, ids::kFatCheck, {78, 181, 10, 10});
  c.download = AddButton(window, units, ids::kDownload, "Download", {248, 177, 70, 17});
}

void AddErase(QWidget& window, const DialogUnits& units, NandWindowControls& c) {
  AddFrame(window, units, "NAND Flash Erase", {7, 206, 226, 30});
  AddCaption(window, units, "Range(Block) :", {14, 220, 50, 9});
  c.eraseFirst = AddMaskEdit(window, units, ids::kEraseFirst, {66, 218, 40, 12});
  AddCaption(window, units, "~", {111, 220, 8, 9});
  c.eraseLast = AddMaskEdit(window, units, ids::kEraseLast, {122, 218, 40, 12});
  c.erase = AddButton(window, units, ids::kErase, "Erase", {172, 217, 54, 14});
  AddFrame(window, units, "NAND Flash Erase All", {238, 206, 87, 30});
  c.eraseAll = AddButton(window, units, ids::kEraseAll, "Erase All", {246, 217, 72, 14});
}

}  // namespace

NandWindowControls BuildNandWindowControls(QWidget& window, const DialogUnits& units) {
  window.setFixedSize(units.Size(332, 280));
  NandWindowControls c;
  AddInformation(window, units, c);
  AddBlockRead(window, units, c);
  AddDownloadFiles(window, units, c);
  AddErase(window, units, c);
  c.status = AddStatic(window, units, ids::kStatus, "Static", {9, 242, 314, 10});
  c.progress = Place(new CPercentProgressCtrl(&window), units, ids::kProgress, {7, 255, 318, 16});
  return c;
}

}  // namespace vantrell::gui
