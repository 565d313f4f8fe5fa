#pragma once
// The text progress bar: a bar in its own colours with the percentage written
// across it, the part of the text over the bar inverted. GUI thread only; the
// windows whose workers move it marshal their calls.
#include <QWidget>

#include "core/controls/percent_progress_model.h"

namespace vantrell::gui {

class CPercentProgressCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit CPercentProgressCtrl(QWidget* parent = nullptr);

  // Stores the range; no redraw.
  void SetRange(int lower, int upper);
  // Returns the previous position; repaints at once, but only when the bar
  // grows or shrinks by at least one pixel.
  int SetPosition(int position);
  int GetPosition() const { return model_.Position(); }
  void SetShowPercentage(bool on);
  // Colours are 0x00BBGGRR; no redraw.
  void SetBarColour(ColourRef colour) { model_.SetBarColour(colour); }
  void SetBackgroundColour(ColourRef colour) { model_.SetBackgroundColour(colour); }
  void SetTextColours(ColourRef overBackground, ColourRef overBar) { model_.SetTextColours(overBackground, overBar); }

  const PercentProgressModel& Model() const { return model_; }
  QSize sizeHint() const override { return {200, 16}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PercentProgressModel model_;
  bool painting_ = false;
};

}  // namespace vantrell::gui
