#pragma once
// The text progress bar: its range, position and colours, when it has to be
// redrawn, and what a paint draws. Workers move it for every block or sector,
// so it asks for a redraw only when the bar changes by at least one pixel.
#include <cstdint>
#include <string>

#include "core/controls/colour.h"

namespace vantrell {

struct ProgressBarColours {
  ColourRef bar;
  ColourRef background;
  ColourRef textOverBackground;
  ColourRef textOverBar;
};

// What one paint of the bar draws.
struct ProgressBarPaint {
  bool drawsNothing = false;  // an empty range
  int barWidth = 0;           // may exceed the client width; the painter clips it
  std::string text;           // empty when the percentage is not shown
  ProgressBarColours colours{};
};

class PercentProgressModel {
 public:
  static constexpr int kNotDrawn = -1;

  explicit PercentProgressModel(const SystemColours& system = {});

  // The window's life: positions are stored only while a window exists.
  void Attach(int clientWidth);
  void Detach();
  // A new size forgets the last bar width, so the next position redraws.
  void Resize(int clientWidth);

  void SetRange(int lower, int upper);

  struct PositionChange {
    int previous = -1;
    bool repaint = false;
  };
  // previous is -1 (and nothing is stored) while no window exists.
  PositionChange SetPosition(int position);

  // True when the window must be repainted.
  bool SetShowPercentage(bool on);

  void SetBarColour(ColourRef colour) { colours_.bar = colour; }
  void SetBackgroundColour(ColourRef colour) { colours_.background = colour; }
  void SetTextColours(ColourRef overBackground, ColourRef overBar);

  ProgressBarPaint Layout(int clientWidth) const;

  int Position() const { return position_; }
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  bool ShowPercentage() const { return showPercentage_; }
  int LastBarWidth() const { return lastBarWidth_; }
  const ProgressBarColours& Colours() const { return colours_; }

 private:
  bool EmptyRange() const { return lower_ >= upper_; }
  // (position - lower) / (upper - lower) * scale, truncated toward zero and
  // computed exactly in integers, so 29 of 0..100 reads 29 and not 28.
  int Scaled(std::int64_t scale) const;

  int position_ = 0;
  int lower_ = 0;
  int upper_ = 100;
  bool showPercentage_ = false;
  int lastBarWidth_ = kNotDrawn;
  bool attached_ = false;
  int clientWidth_ = 0;
  ProgressBarColours colours_;
};

}  // namespace vantrell
