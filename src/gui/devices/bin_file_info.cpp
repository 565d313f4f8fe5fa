#include "gui/devices/bin_file_info.h"

#include <array>

#include "core/controls/colour.h"
#include "gui/common/control_lookup.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/cell_list_ctrl.h"

namespace vantrell::gui {
namespace {

struct ColumnShare {
  const char* caption;
  int elevenths;  // of the list's width less its border
};
constexpr std::array<ColumnShare, kDeviceInfoColumns> kColumns = {{
    {"Dev Name", 2},
    {"Dev No.", 1},
    {"Version", 1},
    {"Sec Size[KB]", 2},
    {"Flash Size[KB]", 2},
    {"File Name", 3},
}};
constexpr ColourRef kCaptionColour = MakeColour(0, 0, 0xFF);  // blue
constexpr const char* kEmptyMessage = "[Load] button click to view the Device List";

}  // namespace

CBinFileInfo::CBinFileInfo(const std::vector<DeviceInfoRow>& rows, QWidget* parent)
    : QDialog(parent), list_(new CCellListCtrl(this)) {
  setObjectName("CBinFileInfo");
  setWindowTitle("All Device Information");
  // A window of fixed size: a close box, nothing to maximise.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const DialogUnits units(font());
  setFixedSize(units.Size(414, 214));
  list_->setObjectName(ControlName(control_id::bin_file_info::kList));
  list_->setGeometry(units.Rect(7, 7, 400, 200));
  list_->SetGridLines(true);
  list_->SetFullRowSelect(true);
  list_->SetEmptyMessage(QString::fromUtf8(kEmptyMessage));
  InsertColumns();
  list_->SetHeaderTextColour(-1, kCaptionColour);
  for (const DeviceInfoRow& row : rows) AppendRow(row);
}

void CBinFileInfo::InsertColumns() {
  const int width = list_->width() - 6;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    list_->InsertColumn(static_cast<int>(i), kColumns[i].caption, kColumns[i].elevenths * width / 11);
  }
}

void CBinFileInfo::AppendRow(const DeviceInfoRow& row) {
  const DeviceInfoCells texts = DeviceInfoRowTexts(row);
  list_->SetRedraw(false);
  const int index = list_->InsertItem(list_->GetItemCount(), QString::fromStdString(texts[0]));
  for (int column = 1; column < kDeviceInfoColumns; ++column) {
    list_->SetItemText(index, column, QString::fromStdString(texts[static_cast<std::size_t>(column)]));
  }
  list_->SetRedraw(true);
}

}  // namespace vantrell::gui
