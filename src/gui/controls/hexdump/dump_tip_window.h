#pragma once
// The dump view's tooltip: a plain-text tip window of its own, so that its
// font (set by the view's owner) touches no other tooltip of the program.
#include <QLabel>

namespace vantrell::gui {

class DumpTipWindow : public QLabel {
  Q_OBJECT

 public:
  static constexpr int kMaximumWidth = 400;

  explicit DumpTipWindow(QWidget* owner);

  // An inactive tip never shows.
  void SetActive(bool active);
  bool IsActive() const { return active_; }
  // Lines end in CR LF; the tip opens below the pointer, kept on its screen.
  void ShowText(const QString& text, const QPoint& pointer);

 private:
  bool active_ = true;
};

}  // namespace vantrell::gui
