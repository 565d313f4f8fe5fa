#include "gui/program/down_window_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <utility>

namespace vantrell::gui {
namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

DownWindowKeys::DownWindowKeys(QWidget& window, QAbstractButton& autoButton, Actions actions)
    : QObject(&window), window_(window), autoButton_(autoButton), actions_(std::move(actions)) {
  // On the application, so that keys are seen before the control that has
  // the focus handles them (the list would take Space for its selection).
  qApp->installEventFilter(this);
}

DownWindowKeys::~DownWindowKeys() { qApp->removeEventFilter(this); }

bool DownWindowKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != &window_) return false;
  return OnKeyPress(static_cast<QKeyEvent*>(event)->key());
}

bool DownWindowKeys::OnKeyPress(int key) {
  const bool space = key == Qt::Key_Space;
  if ((IsEnter(key) && !autoButton_.hasFocus()) || space) {
    if (actions_.beforeFocusMove) actions_.beforeFocusMove();
    autoButton_.setFocus(Qt::OtherFocusReason);
  }
  if (key == Qt::Key_Escape) return true;
  if (!autoButton_.isEnabled()) return true;
  if (IsEnter(key) || space) {
    if (actions_.startAuto) actions_.startAuto();
    return true;
  }
  return false;
}

}  // namespace vantrell::gui
