#include "core/controls/percent_progress_model.h"

#include <algorithm>
#include <limits>

#include "core/controls/percent_text.h"

namespace vantrell {

PercentProgressModel::PercentProgressModel(const SystemColours& system)
    : colours_{system.highlight, system.buttonFace, system.highlight, system.window} {}

void PercentProgressModel::Attach(int clientWidth) {
  attached_ = true;
  Resize(clientWidth);
}

void PercentProgressModel::Detach() { attached_ = false; }

void PercentProgressModel::Resize(int clientWidth) {
  clientWidth_ = std::max(clientWidth, 0);
  lastBarWidth_ = kNotDrawn;
}

void PercentProgressModel::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
}

PercentProgressModel::PositionChange PercentProgressModel::SetPosition(int position) {
  if (!attached_) return {};
  PositionChange change{position_, false};
  position_ = position;
  const int width = Scaled(clientWidth_);
  if (width != lastBarWidth_) {
    lastBarWidth_ = width;
    change.repaint = true;
  }
  return change;
}

bool PercentProgressModel::SetShowPercentage(bool on) {
  const bool repaint = attached_ && on != showPercentage_;
  showPercentage_ = on;
  return repaint;
}

void PercentProgressModel::SetTextColours(ColourRef overBackground, ColourRef overBar) {
  colours_.textOverBackground = overBackground;
  colours_.textOverBar = overBar;
}

ProgressBarPaint PercentProgressModel::Layout(int clientWidth) const {
  ProgressBarPaint paint;
  paint.colours = colours_;
  if (EmptyRange()) {
    paint.drawsNothing = true;
    return paint;
  }
  paint.barWidth = std::max(Scaled(std::max(clientWidth, 0)), 0);
  if (showPercentage_) paint.text = FormatPercentText(kDefaultPercentFormat, Scaled(100));
  return paint;
}

int PercentProgressModel::Scaled(std::int64_t scale) const {
  if (EmptyRange()) return 0;
  const std::int64_t done = std::int64_t{position_} - lower_;
  const std::int64_t span = std::int64_t{upper_} - lower_;
  // |done| and |span| are below 2^33 and scale below 2^31: no overflow.
  const std::int64_t scaled = done * scale / span;
  return static_cast<int>(std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace vantrell
