// The dump view's configuration, painting, scroll bar and in-place editor.
#include "gui/controls/hexdump/hex_dump_ctrl.h"

#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include "gui/controls/colour_conversion.h"
#include "gui/controls/hexdump/dump_fonts.h"
#include "gui/controls/hexdump/dump_renderer.h"
#include "gui/controls/hexdump/dump_tip_window.h"
#include "gui/controls/num_edit.h"

namespace vantrell::gui {
namespace {

QRect ToQRect(const DumpRect& rect) { return QRect(rect.left, rect.top, rect.width, rect.height); }

}  // namespace

CHexDumpCtrl::CHexDumpCtrl(QWidget* parent) : QFrame(parent), model_(SystemColoursOf(palette())) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  // Every paint covers the whole client area from the off-screen image.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContextMenuPolicy(Qt::PreventContextMenu);
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setObjectName(QStringLiteral("DumpScrollBar"));
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  scrollBar_->setSingleStep(1);
  scrollBar_->hide();
  connect(scrollBar_, &QScrollBar::valueChanged, this, &CHexDumpCtrl::OnScrollBarMoved);
  connect(this, &QObject::objectNameChanged, this, [this](const QString& name) { model_.SetViewId(name.toInt()); });
  setFont(DefaultDumpFont());  // lays the view out
}

CHexDumpCtrl::~CHexDumpCtrl() = default;

QSize CHexDumpCtrl::sizeHint() const { return {420, 240}; }

void CHexDumpCtrl::SetDisplayStyle(quint32 style, bool redraw) {
  model_.SetDisplayStyle(style);
  RemoveEditor();
  Relayout();
  if (redraw) update();
}

void CHexDumpCtrl::SetReadOnly(bool readOnly) {
  model_.SetReadOnly(readOnly);
  SyncEditor(std::nullopt);
}

void CHexDumpCtrl::SetDumpData(qint32 byteLength, const quint8* data, const quint8* reference) {
  model_.SetDumpData(byteLength, data, reference);
  HideTip();
  RemoveEditor();
  Refresh();
}

void CHexDumpCtrl::SetTipFormat(const QString& format, bool activate) {
  model_.SetTipFormat(format.toStdString());
  TipControl()->SetActive(activate && !format.isEmpty());
}

DumpTipWindow* CHexDumpCtrl::TipControl() {
  if (tip_ == nullptr) tip_ = new DumpTipWindow(this);
  return tip_;
}

void CHexDumpCtrl::SetUnprintableChar(char ch) {
  model_.SetUnprintableChar(ch);
  update();
}

void CHexDumpCtrl::SetPopupMenu(std::unique_ptr<QMenu> menu) { menu_ = std::move(menu); }

void CHexDumpCtrl::SetColours(const DumpColours& colours) {
  model_.SetColours(colours);
  update();
}

void CHexDumpCtrl::SetCursorItem(int index, bool scroll) {
  model_.SetCursorItem(index, scroll);
  SyncEditor(std::nullopt);
}

void CHexDumpCtrl::Relayout() {
  const QRect client = contentsRect();
  const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  layout_ = HexDumpLayout(
      DumpLayoutInput{DumpMetricsOfFont(font()), client.width(), client.height(), scrollBarWidth, model_.Style()});
  model_.SetGeometry(layout_.ItemsPerRow(), layout_.VisibleItems());
  SyncScrollBar();
}

void CHexDumpCtrl::SyncScrollBar() {
  syncingScrollBar_ = true;
  scrollBar_->setGeometry(ToQRect(layout_.ScrollBarRect()).translated(contentsRect().topLeft()));
  scrollBar_->setRange(0, model_.MaxScrollRow());
  scrollBar_->setPageStep(std::max(model_.PageRows(), 1));
  scrollBar_->setValue(model_.ScrollRow());
  scrollBar_->setVisible(layout_.NeedsScrollBar(model_.Count()));
  syncingScrollBar_ = false;
}

void CHexDumpCtrl::Refresh() {
  SyncScrollBar();
  update();
}

void CHexDumpCtrl::OnScrollBarMoved(int row) {
  if (syncingScrollBar_) return;
  model_.ScrollToRow(row);
  AfterScroll();
}

void CHexDumpCtrl::AfterScroll() {
  HideTip();
  SyncEditor(std::nullopt);
  ReevaluatePointer();
}

void CHexDumpCtrl::HideTip() {
  model_.ForgetTip();
  if (tip_ != nullptr) tip_->hide();
}

void CHexDumpCtrl::paintEvent(QPaintEvent*) {
  model_.ClampSelection();
  const QRect client = contentsRect();
  QPainter window(this);
  drawFrame(&window);
  if (client.isEmpty()) return;
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = client.size() * ratio;
  if (frame_.size() != pixels) {
    frame_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    frame_.setDevicePixelRatio(ratio);
  }
  {
    QPainter offscreen(&frame_);
    PaintHexDump(offscreen, model_, layout_, {font(), palette(), isEnabled(), hasFocus(), HoverRect(), &texts_});
  }
  window.drawImage(client.topLeft(), frame_);
}

void CHexDumpCtrl::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  model_.CloseEditor();
  SyncEditor(std::nullopt);
  Relayout();
}

void CHexDumpCtrl::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    if (editor_ != nullptr) editor_->setFont(font());
    Relayout();
    update();
  } else if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      model_.CloseEditor();
      SyncEditor(std::nullopt);
    }
    update();
  }
}

void CHexDumpCtrl::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update();
}

void CHexDumpCtrl::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

// ----- In-place editor -----

void CHexDumpCtrl::SyncEditor(const std::optional<DumpEditorRequest>& request) {
  if (request) {
    PlaceEditor(*request);
  } else if (!model_.EditorOpen()) {
    RemoveEditor();
  }
  Refresh();
}

DumpRect CHexDumpCtrl::EditorRect(int area, int item) const {
  if (IsDataArea(area)) return layout_.CellRect(area, item, model_.Top());
  const DumpInfoField* field = layout_.InfoField(area);
  return field != nullptr ? field->valueRect : DumpRect{};
}

void CHexDumpCtrl::PlaceEditor(const DumpEditorRequest& request) {
  const DumpRect rect = EditorRect(request.area, request.item);
  if (rect.IsEmpty()) {
    // A field the info bar had no room for: nothing to edit it over.
    model_.CloseEditor();
    return RemoveEditor();
  }
  if (editor_ == nullptr) {
    editor_ = new CNumEdit(this);
    editor_->setFrame(false);
    editor_->setTextMargins(0, 0, 0, 0);
    editor_->setContentsMargins(0, 0, 0, 0);
    connect(editor_, &CNumEdit::Notify, this, &CHexDumpCtrl::OnEditorNotify);
  }
  const DumpColours& colours = model_.Colours();
  editor_->setFont(font());
  editor_->SetColours(colours.editorText, colours.editorBackground, colours.editorOutOfRangeText,
                      colours.editorOutOfRangeBackground);
  editor_->SetEditValue(request.value, request.mode, request.byteSize, request.minimum, request.maximum);
  editor_->setGeometry(ToQRect(rect).translated(contentsRect().topLeft()));
  editor_->show();
  editor_->setFocus();
  editor_->selectAll();
}

void CHexDumpCtrl::RemoveEditor() {
  if (editor_ == nullptr) return;
  CNumEdit* editor = editor_;
  editor_ = nullptr;
  const bool hadFocus = editor->hasFocus();
  editor->disconnect(this);
  editor->setObjectName(QString());
  editor->hide();
  if (hadFocus) setFocus();
  // It may be inside one of its own key handlers right now.
  editor->deleteLater();
}

std::optional<DumpEditorText> CHexDumpCtrl::EditorText() const {
  if (editor_ == nullptr) return std::nullopt;
  return DumpEditorText{editor_->EditValue(), editor_->text() != editor_->InitialText()};
}

void CHexDumpCtrl::OnEditorNotify(int, int code, int action, quint32) {
  const std::optional<DumpEditorText> text = EditorText();
  if (!text) return;
  switch (code) {
    case kNumEditCancelCode: model_.CloseEditor(); return SyncEditor(std::nullopt);
    case kNumEditCommitCode: model_.CommitEditor(*text); return SyncEditor(std::nullopt);
    case kNumEditMoveCode: return SyncEditor(model_.MoveEditor(action, *text));
    case kNumEditFormatCode: return SyncEditor(model_.ChangeEditorFormat(action));
    default: return;
  }
}

}  // namespace vantrell::gui
