#pragma once
// The hex dump view: a byte buffer as rows of an address column and value
// columns, an info bar describing the current item in every base, a header
// row, hover frame, tooltip, drag selection, keyboard navigation, a context
// menu supplied by the owner, and in-place editing through CNumEdit (child
// id 1). The view never changes the buffer it shows: edits, the menu's
// commands and selections are reported to the HexDumpNotify it is given.
//
// The buffers belong to the owner and must outlive their display, or be
// replaced by SetDumpData(0, nullptr). GUI thread only. Like every control,
// the view's objectName is its numeric control id; notifications carry it.
#include <QFrame>
#include <QImage>
#include <memory>
#include <optional>
#include <vector>

#include "core/controls/hexdump/dump_layout.h"
#include "core/controls/hexdump/hex_dump_model.h"
#include "gui/controls/hexdump/dump_text_cache.h"

class QMenu;
class QScrollBar;

namespace vantrell::gui {

class CNumEdit;
class DumpTipWindow;

class CHexDumpCtrl : public QFrame {
  Q_OBJECT

 public:
  // A bordered tab stop with the default style, font and colours.
  explicit CHexDumpCtrl(QWidget* parent = nullptr);
  ~CHexDumpCtrl() override;

  // The style bits of core/controls/hexdump/dump_style.h. Goes back to the
  // first item with the selection on it; closes the editor.
  void SetDisplayStyle(quint32 style, bool redraw = true);
  quint32 DisplayStyle() const { return model_.Style(); }
  // Only address fields stay editable; nothing else of the style changes.
  void SetReadOnly(bool readOnly);
  // byteLength bytes of data, compared with reference (null: the data
  // itself); items that differ are drawn in the changed-data colour. Null
  // data shows zeros; a length of 0 empties the view.
  void SetDumpData(qint32 byteLength, const quint8* data, const quint8* reference = nullptr);
  // "%" escapes: see core/controls/hexdump/dump_tooltip.h. An empty format
  // or activate false turns the tip off.
  void SetTipFormat(const QString& format, bool activate = true);
  // The tip window, made on first use; give it a font with setFont.
  DumpTipWindow* TipControl();
  // Shown in ASCII output for values below 32; 0 shows the value's own.
  void SetUnprintableChar(char ch);
  // The menu shown by a right click over a value cell; each action's data()
  // is its command id, posted to the notify window once the menu has closed.
  void SetPopupMenu(std::unique_ptr<QMenu> menu);
  QMenu* PopupMenu() const { return menu_.get(); }
  void SetNotifyWindow(HexDumpNotify* notify) { model_.SetNotify(notify); }
  void SetColours(const DumpColours& colours);
  const DumpColours& Colours() const { return model_.Colours(); }

  // First and last selected item, both inclusive (bytes in byte mode).
  DumpSelection SelectionRange() const { return model_.SelectionRange(); }
  // The selected bytes, clipped to the buffer; empty for an empty view.
  std::vector<quint8> SelectedBytes() const { return model_.SelectedBytes(); }
  // Ignored at or beyond the count (negative counts as 0); closes the editor.
  void SetCursorItem(int index, bool scroll = true);

  const HexDumpModel& Model() const { return model_; }
  const HexDumpLayout& Layout() const { return layout_; }
  CNumEdit* Editor() const { return editor_; }
  QScrollBar* ScrollBar() const { return scrollBar_; }
  // Where a point of the widget lies in the layout's coordinates.
  QPoint ToClient(const QPoint& widgetPoint) const { return widgetPoint - contentsRect().topLeft(); }
  QPoint FromClient(const QPoint& clientPoint) const { return clientPoint + contentsRect().topLeft(); }

  QSize sizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Relayout();
  void SyncScrollBar();
  void Refresh();
  void OnScrollBarMoved(int row);
  void AfterScroll();
  void HideTip();

  // The editor follows the model: opened (or moved) for a request, removed
  // once the model has closed it.
  void SyncEditor(const std::optional<DumpEditorRequest>& request);
  void PlaceEditor(const DumpEditorRequest& request);
  void RemoveEditor();
  DumpRect EditorRect(int area, int item) const;
  std::optional<DumpEditorText> EditorText() const;
  void OnEditorNotify(int editorId, int code, int action, quint32 value);

  void PointerAt(const QPoint& clientPoint, const QPoint& globalPoint);
  void ReevaluatePointer();
  void UpdateTip(const DumpHit& hit, const QPoint& globalPoint);
  DumpRect HoverRect() const;
  void ShowContextMenu(const QPoint& globalPoint);
  bool OpenEditorForKey(const QKeyEvent& event);

  HexDumpModel model_;
  HexDumpLayout layout_;
  QImage frame_;
  DumpTextCache texts_;
  QScrollBar* scrollBar_ = nullptr;
  CNumEdit* editor_ = nullptr;
  DumpTipWindow* tip_ = nullptr;
  std::unique_ptr<QMenu> menu_;
  std::optional<QPoint> pointer_;  // client coordinates of the last pointer position
  bool syncingScrollBar_ = false;
};

}  // namespace vantrell::gui
