#include "companions/device_list_editor/device_list_update_dlg.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/prompt.h"
#include "core/devices/device_list_file.h"
#include "gui/common/message_box_prompt.h"
#include "gui/controls/cell_list_ctrl.h"

namespace vantrell::gui {
namespace {

constexpr const char* kTitle = "DeviceListUpdate";
constexpr const char* kEmptyMessage = "[Load] button click to view the Device List";
constexpr const char* kComplete = "Complete!";
constexpr ColourRef kCaptionColour = MakeColour(0, 0, 0xFF);
constexpr ColourRef kTerminatorText = MakeColour(0x80, 0x80, 0x80);
constexpr int kColumnPadding = 24;
constexpr int kNameColumnCharacters = 24;

DeviceField FieldOf(int column) { return static_cast<DeviceField>(column); }

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QPushButton* Button(const char* caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(caption);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CDeviceListUpdateDlg::CDeviceListUpdateDlg(std::string programFile, std::shared_ptr<Prompt> prompt, QWidget* parent)
    : QDialog(parent),
      programFile_(std::move(programFile)),
      prompt_(prompt ? std::move(prompt) : std::make_shared<MessageBoxPrompt>(this)),
      list_(new CCellListCtrl(this)),
      load_(Button("Load", this)),
      register_(Button("Register", this)),
      add_(Button("Add", this)),
      delete_(Button("Delete", this)) {
  setObjectName("CDeviceListUpdateDlg");
  setWindowTitle(kTitle);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  list_->setObjectName("DeviceList");
  list_->SetGridLines(true);
  list_->SetFullRowSelect(true);
  list_->SetEmptyMessage(kEmptyMessage);
  InsertColumns();
  list_->SetHeaderTextColour(-1, kCaptionColour);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(load_);
  buttons->addWidget(register_);
  buttons->addStretch();
  buttons->addWidget(add_);
  buttons->addWidget(delete_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(buttons);

  connect(load_, &QPushButton::clicked, this, &CDeviceListUpdateDlg::OnLoad);
  connect(register_, &QPushButton::clicked, this, &CDeviceListUpdateDlg::OnRegister);
  connect(add_, &QPushButton::clicked, this, &CDeviceListUpdateDlg::OnAddDevice);
  connect(delete_, &QPushButton::clicked, this, &CDeviceListUpdateDlg::OnDeleteDevices);
  connect(list_, &CCellListCtrl::EndLabelEdit, this, &CDeviceListUpdateDlg::OnEndLabelEdit);
  EnableEditing(false);

  int width = 0;
  for (int column = 0; column < list_->GetColumnCount(); ++column) width += list_->columnWidth(column);
  resize(width + 40, 420);
}

// An edit still open commits as the window goes; the draft is gone by then.
CDeviceListUpdateDlg::~CDeviceListUpdateDlg() { list_->disconnect(this); }

void CDeviceListUpdateDlg::InsertColumns() {
  const QFontMetrics metrics(list_->font());
  for (std::size_t column = 0; column < kDeviceFieldCount; ++column) {
    int width = metrics.horizontalAdvance(kDeviceFieldCaptions[column]) + kColumnPadding;
    if (FieldOf(static_cast<int>(column)) == DeviceField::Name) {
      width = std::max(width, metrics.horizontalAdvance('W') * kNameColumnCharacters / 2 + kColumnPadding);
    }
    list_->InsertColumn(static_cast<int>(column), kDeviceFieldCaptions[column], width);
  }
}

void CDeviceListUpdateDlg::EnableEditing(bool on) {
  register_->setEnabled(on);
  add_->setEnabled(on);
  delete_->setEnabled(on);
}

void CDeviceListUpdateDlg::Tell(const std::string& text) { prompt_->Tell(WindowBox(kTitle, text)); }

bool CDeviceListUpdateDlg::MayDropEdits(const char* question) {
  return !draft_.IsModified() || prompt_->Agrees(Question(kTitle, question));
}

void CDeviceListUpdateDlg::OnLoad() {
  if (!MayDropEdits("The edited device list is not registered.\r\nLoad the list again and drop the edits?")) return;
  const DeviceListLoad load = LoadDeviceListFile(programFile_);
  if (!load) return Tell(load.failure);
  draft_ = DeviceListDraft(load.records);
  loaded_ = true;
  ShowRows();
  EnableEditing(true);
}

void CDeviceListUpdateDlg::OnRegister() {
  if (!loaded_) return;
  const std::vector<std::string> problems = draft_.Problems();
  if (!problems.empty()) {
    std::string text = "The list cannot be registered:";
    for (const std::string& problem : problems) text += "\r\n" + problem;
    return Tell(text);
  }
  std::string error;
  if (!RegisterDeviceList(programFile_, draft_.Records(), &error)) {
    return Tell("Register Fail! The file was left as it was.\r\n(" + error + ")");
  }
  draft_.MarkRegistered();
  Tell(kComplete);
}

void CDeviceListUpdateDlg::OnAddDevice() {
  if (!loaded_) return;
  const int row = static_cast<int>(draft_.AddDevice());
  ShowRows();
  list_->selectRow(row);
  list_->scrollTo(list_->model()->index(row, 0));
}

void CDeviceListUpdateDlg::OnDeleteDevices() {
  std::vector<int> rows = list_->GetSelectedRows();
  const auto removable = std::remove_if(rows.begin(), rows.end(), [&](int row) {
    return draft_.IsTerminatorRow(static_cast<std::size_t>(row));
  });
  const bool terminatorSelected = removable != rows.end();
  rows.erase(removable, rows.end());
  // From the last row up, so that the rows still to go keep their index.
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) draft_.RemoveDevice(static_cast<std::size_t>(row));
  if (!rows.empty()) ShowRows();
  if (terminatorSelected) Tell("The last row ends the list and cannot be deleted.");
}

void CDeviceListUpdateDlg::reject() {
  if (MayDropEdits("The edited device list is not registered.\r\nClose without registering?")) QDialog::reject();
}

void CDeviceListUpdateDlg::ShowRows() {
  list_->SetRedraw(false);
  list_->DeleteAllItems();
  for (int row = 0; row < static_cast<int>(draft_.RowCount()); ++row) ShowRow(row);
  list_->SetRedraw(true);
}

void CDeviceListUpdateDlg::ShowRow(int row) {
  const auto index = static_cast<std::size_t>(row);
  const bool terminator = draft_.IsTerminatorRow(index);
  list_->InsertItem(row, Text(draft_.CellText(index, DeviceField::Number)));
  for (int column = 0; column < static_cast<int>(kDeviceFieldCount); ++column) {
    list_->SetItemText(row, column, Text(draft_.CellText(index, FieldOf(column))));
    if (!terminator) list_->SetEditable(row, column);
  }
  if (terminator) list_->SetItemColours(row, -1, kTerminatorText, kListDefaultColour);
}

void CDeviceListUpdateDlg::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled, bool*) {
  if (cancelled) return;
  const auto index = static_cast<std::size_t>(row);
  if (const auto refusal = draft_.Edit(index, FieldOf(column), text.toStdString())) {
    // The box comes once the editor has closed: a modal box while the editor
    // is being taken down would pull the focus from under it.
    QTimer::singleShot(0, this, [this, refusal = *refusal] { Tell(refusal); });
    return;
  }
  // The cell shows the value as the draft keeps it ("1005" reads 0x1005).
  list_->SetItemText(row, column, Text(draft_.CellText(index, FieldOf(column))));
}

}  // namespace vantrell::gui
