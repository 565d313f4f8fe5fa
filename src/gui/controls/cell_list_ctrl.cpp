#include "gui/controls/cell_list_ctrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <set>

#include "gui/controls/cell_geometry.h"
#include "gui/controls/cell_header_ctrl.h"
#include "gui/controls/cell_list_delegate.h"
#include "gui/controls/cell_list_item_model.h"
#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {

// Turns the model's events into repaints and the list's signals.
class CCellListCtrl::Events : public CellListEvents {
 public:
  explicit Events(CCellListCtrl& list) : list_(list) {}

  void CellChanged(int row, int column) override { list_.items_->EmitCellChanged(row, column); }
  void HeaderChanged(int column) override {
    list_.items_->EmitHeaderChanged(column);
    list_.header_->viewport()->update();
  }
  void CheckboxClicked(int row, int column) override { emit list_.CheckboxClicked(row, column, list_.ListId()); }
  bool BeginLabelEdit(int row, int column) override {
    bool refuse = false;
    emit list_.BeginLabelEdit(row, column, &refuse);
    return !refuse;
  }
  bool EndLabelEdit(int row, int column, const std::string* text) override {
    bool accept = false;
    emit list_.EndLabelEdit(row, column, text ? QString::fromStdString(*text) : QString(), text == nullptr, &accept);
    return accept;
  }

 private:
  CCellListCtrl& list_;
};

CCellListCtrl::CCellListCtrl(QWidget* parent)
    : QTableView(parent), cells_(SystemColoursOf(palette())), events_(std::make_unique<Events>(*this)) {
  cells_.SetEvents(events_.get());
  items_ = new CellListItemModel(cells_, this);
  delegate_ = new CellListDelegate(cells_, this);
  header_ = new CCellHeaderCtrl(cells_, this);
  setHorizontalHeader(header_);
  setModel(items_);
  setItemDelegate(delegate_);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  const int boxHeight = CheckboxRect({}, style()).height();
  verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height(), boxHeight) + 6);
  setShowGrid(false);
  setWordWrap(false);
  setSelectionBehavior(SelectRows);
  setSelectionMode(ExtendedSelection);
  setEditTriggers(NoEditTriggers);
  setHorizontalScrollMode(ScrollPerPixel);
  connect(header_, &CCellHeaderCtrl::CheckboxClicked, this, [this](int column) { cells_.ClickHeaderCheckbox(column); });
  connect(header_, &QHeaderView::sectionClicked, this, &CCellListCtrl::ColumnClicked);
}

CCellListCtrl::~CCellListCtrl() {
  // The item model and the delegate read the cells, which go before the
  // view's own teardown does.
  cells_.SetEvents(nullptr);
  setModel(nullptr);
  delete items_;
}

int CCellListCtrl::InsertColumn(int column, const QString& caption, int width, ColumnAlign align, int imageIndex) {
  const int inserted = items_->InsertColumn(column, {caption.toStdString(), width, align, imageIndex});
  if (inserted >= 0) header_->resizeSection(inserted, width);
  return inserted;
}

int CCellListCtrl::InsertItem(int row, const QString& text) { return items_->InsertItem(row, text.toStdString()); }

bool CCellListCtrl::DeleteItem(int row) { return items_->DeleteItem(row); }

void CCellListCtrl::DeleteAllItems() { items_->DeleteAllItems(); }

std::vector<int> CCellListCtrl::GetSelectedRows() const {
  std::set<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
  return {rows.begin(), rows.end()};
}

QString CCellListCtrl::GetItemText(int row, int column) const {
  return QString::fromStdString(cells_.GetItemText(row, column));
}

bool CCellListCtrl::SetItemText(int row, int column, const QString& text) {
  return cells_.SetItemText(row, column, text.toStdString());
}

bool CCellListCtrl::SetItemText(int row, int column, const std::optional<QString>& text, ColourRef textColour,
                                ColourRef backgroundColour) {
  const std::optional<std::string> utf8 = text ? std::optional(text->toStdString()) : std::nullopt;
  return cells_.SetItemText(row, column, utf8 ? &*utf8 : nullptr, textColour, backgroundColour);
}

bool CCellListCtrl::SetItemColours(int row, int column, ColourRef textColour, ColourRef backgroundColour) {
  return cells_.SetItemColours(row, column, textColour, backgroundColour);
}

std::optional<CellColours> CCellListCtrl::GetItemColours(int row, int column) const {
  return cells_.GetItemColours(row, column);
}

bool CCellListCtrl::SetItemBold(int row, int column, bool bold) { return cells_.SetItemBold(row, column, bold); }

bool CCellListCtrl::SetCheckbox(int row, int column, int state) { return cells_.SetCheckbox(row, column, state); }

int CCellListCtrl::GetCheckbox(int row, int column) const { return cells_.GetCheckbox(row, column); }

int CCellListCtrl::GetHeaderCheckbox(int column) const { return cells_.GetHeaderCheckbox(column); }

bool CCellListCtrl::SetEditable(int row, int column, bool editable) {
  return cells_.SetEditable(row, column, editable);
}

bool CCellListCtrl::SetProgress(int row, int column, bool showText, const QString& format) {
  return cells_.SetProgress(row, column, showText, format.toStdString());
}

bool CCellListCtrl::UpdateProgress(int row, int column, int percent) {
  Q_ASSERT_X(QThread::currentThread() == thread(), "UpdateProgress", "workers reach the list through their window");
  return cells_.UpdateProgress(row, column, percent);
}

bool CCellListCtrl::SetHeaderTextColour(int column, ColourRef colour) {
  return cells_.SetHeaderTextColour(column, colour);
}

void CCellListCtrl::SetEmptyMessage(const QString& text) {
  cells_.SetEmptyMessage(text.toStdString());
  viewport()->update();
}

void CCellListCtrl::SetRedraw(bool on) {
  setUpdatesEnabled(on);
  if (on) viewport()->update();
}

void CCellListCtrl::SetFullRowSelect(bool on) { setSelectionBehavior(on ? SelectRows : SelectItems); }

int CCellListCtrl::ListId() const { return objectName().toInt(); }

bool CCellListCtrl::ClickOnCheckbox(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (cells_.GetCheckbox(index.row(), index.column()) == kNoCheckbox) return false;
  return CheckboxHitRect(visualRect(index), style()).contains(point);
}

void CCellListCtrl::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const QModelIndex index = indexAt(point);
  pressed_ = index;
  pressedOnBox_ = event->button() == Qt::LeftButton && ClickOnCheckbox(point);
  QTableView::mousePressEvent(event);
  if (pressedOnBox_) cells_.ClickCheckbox(index.row(), index.column());
}

void CCellListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  // A quick second click on a box toggles it again, like any click.
  if (event->button() == Qt::LeftButton && ClickOnCheckbox(event->position().toPoint())) {
    return mousePressEvent(event);
  }
  QTableView::mouseDoubleClickEvent(event);
}

void CCellListCtrl::mouseReleaseEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  const bool plainClick = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
  const bool onPressedCell = index.isValid() && index == QModelIndex(pressed_);
  const bool wasOnBox = pressedOnBox_;
  pressedOnBox_ = false;
  QTableView::mouseReleaseEvent(event);
  if (plainClick && onPressedCell && !wasOnBox) OpenEditor(index);
}

void CCellListCtrl::OpenEditor(const QModelIndex& index) {
  const CellData* cell = cells_.Cell(index.row(), index.column());
  if (!cell || !cell->editable) return;
  if (!cells_.BeginEdit(index.row(), index.column())) return;
  edit(index);
  if (state() != EditingState) cells_.EndEdit(nullptr);
}

void CCellListCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint);
  // A commit has already ended the edit through the item model; what is left
  // open here was cancelled.
  if (cells_.IsEditing()) cells_.EndEdit(nullptr);
}

void CCellListCtrl::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (cells_.RowCount() == 0) PaintEmptyMessage();
}

void CCellListCtrl::PaintEmptyMessage() {
  QPainter painter(viewport());
  const QRect area = viewport()->rect().adjusted(0, 10, 0, 0);
  painter.fillRect(area, palette().color(QPalette::Base));
  painter.setPen(ToQColor(cells_.EmptyMessageColour()));
  const QString message = QString::fromStdString(cells_.EmptyMessage()).replace("\r\n", "\n");
  painter.drawText(area.adjusted(kCellMargin, 0, -kCellMargin, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   message);
}

}  // namespace vantrell::gui
