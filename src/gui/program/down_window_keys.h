#pragma once
// The download window's keyboard, looked at before any of its controls sees
// a key: Enter and Space bring the focus to Auto and start an Auto run,
// Escape does nothing, and while Auto is off no key does anything in the
// window (its list is empty, or a run is going).
#include <QObject>
#include <functional>

class QAbstractButton;
class QWidget;

namespace vantrell::gui {

class DownWindowKeys : public QObject {
  Q_OBJECT

 public:
  struct Actions {
    // Just before Enter or Space takes the focus to Auto (which ends an
    // in-place edit that is open).
    std::function<void()> beforeFocusMove;
    // What Enter and Space do once the focus is on the Auto button.
    std::function<void()> startAuto;
  };

  // Watches the keys of every control of window.
  DownWindowKeys(QWidget& window, QAbstractButton& autoButton, Actions actions);
  ~DownWindowKeys() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True when the key is used up here.
  bool OnKeyPress(int key);

  QWidget& window_;
  QAbstractButton& autoButton_;
  Actions actions_;
};

}  // namespace vantrell::gui
