#include "gui/program/download_list_binding.h"

#include <QTimer>
#include <utility>

#include "gui/controls/cell_list_ctrl.h"

namespace vantrell::gui {
namespace {

struct ColumnSpec {
  const char* caption;
  int width;
  ColumnAlign align;
  int headerBox;
};

constexpr ColumnSpec kColumns[kDownloadColumnCount] = {
    {"No.", 35, ColumnAlign::Left, kNoCheckbox},
    {"En", 50, ColumnAlign::Left, kChecked},
    {"Sector No.", 85, ColumnAlign::Left, kNoCheckbox},
    {"Progress", 160, ColumnAlign::Centre, kNoCheckbox},
    {"File Name", 220, ColumnAlign::Left, kNoCheckbox},
    {"CheckSum", 105, ColumnAlign::Left, kNoCheckbox},
    {"File Path", 700, ColumnAlign::Left, kNoCheckbox},
};

constexpr const char* kEmptyListMessage = "[Load Files] button click to download\r\n\r\n[Mouse Drag & Drop] to download";
constexpr ColourRef kCaptionColour = MakeColour(0, 0, 255);

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()); }

}  // namespace

DownloadListBinding::DownloadListBinding(DownloadList& list, CCellListCtrl& control, QObject* parent)
    : QObject(parent), list_(list), control_(control) {
  connect(&control_, &CCellListCtrl::CheckboxClicked, this,
          [this](int row, int column, int) { OnCheckboxClicked(row, column); });
  connect(&control_, &CCellListCtrl::EndLabelEdit, this, &DownloadListBinding::OnEndLabelEdit);
}

void DownloadListBinding::SetUpControl() {
  control_.SetGridLines(true);
  control_.SetFullRowSelect(true);
  control_.SetEmptyMessage(QString::fromUtf8(kEmptyListMessage));
  for (int column = 0; column < kDownloadColumnCount; ++column) {
    const ColumnSpec& spec = kColumns[column];
    control_.InsertColumn(column, spec.caption, spec.width, spec.align, spec.headerBox);
  }
  control_.SetHeaderTextColour(-1, kCaptionColour);
}

void DownloadListBinding::AddFiles(const std::vector<std::string>& paths) {
  const int first = static_cast<int>(list_.RowCount());
  list_.AddFiles(paths);
  control_.SetRedraw(false);
  for (int row = first; row < static_cast<int>(list_.RowCount()); ++row) ShowRow(row);
  control_.SetRedraw(true);
}

void DownloadListBinding::RemoveSelectedFiles() {
  const std::vector<int> selected = control_.GetSelectedRows();
  list_.RemoveSelectedFiles(std::vector<std::size_t>(selected.begin(), selected.end()));
  ShowAllRows();
}

void DownloadListBinding::RemoveAllFiles() {
  list_.RemoveAllFiles();
  ShowAllRows();
}

void DownloadListBinding::SortByStartSector() {
  list_.SortByStartSector();
  ShowAllRows();
}

void DownloadListBinding::ComputeChecksums(std::uint64_t largestFileBytes) {
  if (list_.ChecksumsCurrent()) return;
  list_.ComputeChecksums(largestFileBytes);
  for (int row = 0; row < static_cast<int>(list_.RowCount()); ++row) {
    control_.SetItemText(row, kChecksumColumn, FromUtf8(list_.Rows()[static_cast<std::size_t>(row)].checksum));
  }
}

void DownloadListBinding::SetProgress(std::size_t row, int percent) {
  if (row >= list_.RowCount()) return;
  list_.SetProgress(row, percent);
  control_.UpdateProgress(static_cast<int>(row), kProgressColumn, list_.Rows()[row].progress);
}

bool DownloadListBinding::TakeRefusedEdit() { return std::exchange(refusedEdit_, false); }

void DownloadListBinding::OnCheckboxClicked(int row, int column) {
  list_.OnEnableClicked(row, column);
  if (column != kEnableColumn) return;
  if (row == kHeaderRow) {
    // The control sets its row boxes to the header's new state afterwards,
    // which is the state the content has just given every row.
    for (int each = 0; each < static_cast<int>(list_.RowCount()); ++each) ColourRow(each);
  } else {
    ColourRow(row);
  }
  control_.viewport()->update();
}

void DownloadListBinding::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled, bool* accept) {
  if (cancelled) return;
  const std::string utf8 = text.toStdString();
  if (column == kSectorColumn && !IsSectorTextAcceptable(utf8)) {
    refusedEdit_ = true;
    // The refusal's box is shown once the edit has closed: a modal box while
    // the editor is being taken down would pull the focus from under it.
    QTimer::singleShot(0, this, [this, row, column, utf8] { list_.AcceptSectorEdit(row, column, utf8); });
    return;
  }
  *accept = list_.AcceptSectorEdit(row, column, utf8);
}

void DownloadListBinding::ShowAllRows() {
  control_.SetRedraw(false);
  control_.DeleteAllItems();
  for (int row = 0; row < static_cast<int>(list_.RowCount()); ++row) ShowRow(row);
  control_.SetRedraw(true);
}

void DownloadListBinding::ShowRow(int row) {
  const DownloadRow& content = list_.Rows()[static_cast<std::size_t>(row)];
  control_.InsertItem(row, FromUtf8(content.number));
  control_.SetCheckbox(row, kEnableColumn, content.enabled ? kChecked : kUnchecked);
  control_.SetItemText(row, kSectorColumn, FromUtf8(content.sector));
  control_.SetEditable(row, kSectorColumn);
  control_.SetProgress(row, kProgressColumn, true);
  control_.UpdateProgress(row, kProgressColumn, content.progress);
  control_.SetItemText(row, kFileNameColumn, FromUtf8(content.fileName));
  control_.SetItemText(row, kChecksumColumn, FromUtf8(content.checksum));
  control_.SetItemText(row, kPathColumn, FromUtf8(content.path));
  ColourRow(row);
}

void DownloadListBinding::ColourRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= list_.RowCount()) return;
  const DownloadRow& content = list_.Rows()[static_cast<std::size_t>(row)];
  control_.SetItemColours(row, -1, kListDefaultColour, content.Background());
}

}  // namespace vantrell::gui
