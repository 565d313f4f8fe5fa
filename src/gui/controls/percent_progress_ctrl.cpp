#include "gui/controls/percent_progress_ctrl.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QThread>

#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {
namespace {

void DrawClippedText(QPainter& painter, const QRect& clip, const QRect& area, const QString& text,
                     const QColor& colour) {
  if (clip.isEmpty()) return;
  painter.save();
  painter.setClipRect(clip);
  painter.setPen(colour);
  painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text);
  painter.restore();
}

}  // namespace

CPercentProgressCtrl::CPercentProgressCtrl(QWidget* parent)
    : QWidget(parent), model_(SystemColoursOf(palette())) {
  model_.Attach(width());
}

void CPercentProgressCtrl::SetRange(int lower, int upper) { model_.SetRange(lower, upper); }

int CPercentProgressCtrl::SetPosition(int position) {
  Q_ASSERT_X(QThread::currentThread() == thread(), "SetPosition", "workers reach the bar through their window");
  const auto change = model_.SetPosition(position);
  if (change.repaint) {
    // A position set from inside a paint must not paint recursively.
    if (painting_) {
      update();
    } else {
      repaint();
    }
  }
  return change.previous;
}

void CPercentProgressCtrl::SetShowPercentage(bool on) {
  if (model_.SetShowPercentage(on)) update();
}

void CPercentProgressCtrl::resizeEvent(QResizeEvent* event) {
  model_.Resize(event->size().width());
  QWidget::resizeEvent(event);
}

void CPercentProgressCtrl::paintEvent(QPaintEvent*) {
  const ProgressBarPaint paint = model_.Layout(width());
  // An empty range draws nothing; the area keeps the background behind it.
  if (paint.drawsNothing) return;
  painting_ = true;
  const QRect area = rect();
  QImage image(size() * devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio());
  {
    QPainter offscreen(&image);
    offscreen.setFont(font());
    const QRect bar(0, 0, std::min(paint.barWidth, area.width()), area.height());
    const QRect rest(bar.right() + 1, 0, area.width() - bar.width(), area.height());
    offscreen.fillRect(area, ToQColor(paint.colours.background));
    offscreen.fillRect(bar, ToQColor(paint.colours.bar));
    if (!paint.text.empty()) {
      const QString text = QString::fromStdString(paint.text);
      DrawClippedText(offscreen, bar, area, text, ToQColor(paint.colours.textOverBar));
      DrawClippedText(offscreen, rest, area, text, ToQColor(paint.colours.textOverBackground));
    }
  }
  QPainter(this).drawImage(0, 0, image);
  painting_ = false;
}

}  // namespace vantrell::gui
