#pragma once
// The dump view's in-place numeric editor: one number in one base, refused
// characters dropped silently, out-of-range values shown in their own
// colours, and Enter, Escape and navigation keys reported to the owner
// instead of handled. GUI thread only.
#include <QLineEdit>

#include "core/controls/num_edit_model.h"

namespace vantrell::gui {

class CNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kEditorId = 1;

  // A child with centred, upper-case text; objectName "1".
  explicit CNumEdit(QWidget* parent = nullptr);

  // byteSize 1: 0..255, 2: 0..65535, 0: minimum..maximum in either order.
  // A value outside the range becomes the minimum.
  void SetEditValue(quint32 value, NumEditMode mode, int byteSize, quint32 minimum = 0, quint32 maximum = 0);
  quint32 EditValue() const { return model_.EditValue(); }
  bool IsValid() const { return model_.IsValid(); }
  // The text last set by SetEditValue, to tell a real edit from none.
  QString InitialText() const { return QString::fromStdU32String(model_.InitialText()); }
  void SetColours(ColourRef text, ColourRef background, ColourRef outOfRangeText, ColourRef outOfRangeBackground);

  const NumEditModel& Model() const { return model_; }

 signals:
  // code 0x466 cancel (always), 0x467 commit, 0x468 move, 0x469 format
  // change (only while the value is in range); value is EditValue().
  void Notify(int editorId, int code, int action, quint32 value);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  bool HandleTableKey(QKeyEvent* event);
  void InsertFiltered(const QString& text);
  void OnTextChanged(const QString& text);
  void ApplyColours();

  NumEditModel model_;
};

}  // namespace vantrell::gui
