#pragma once
// The masked edit: a text as long as its literal, where "_" positions take
// typed characters checked against the mask and every other position is a
// fixed character that typing, deleting and pasting never change. Invalid
// input sounds the beep, which the model reports as an event.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrell {

inline constexpr char32_t kMaskPrompt = U'_';

class MaskEditModel {
 public:
  using BeepSink = std::function<void()>;

  void SetBeepSink(BeepSink sink) { beep_ = std::move(sink); }

  // The text becomes the default text (the literal when none is given) and
  // is also what the first undo brings back.
  void SetEditMask(const std::u32string& mask, const std::u32string& literal,
                   const std::u32string& defaultText = {});
  bool HasMask() const { return masked_; }

  const std::u32string& Text() const { return text_; }
  // A text set from outside keeps the fixed characters and the length.
  void SetText(const std::u32string& text);

  int Caret() const { return caret_; }
  int Anchor() const { return anchor_; }
  bool HasSelection() const { return caret_ != anchor_; }
  int SelectionStart() const { return std::min(caret_, anchor_); }
  int SelectionEnd() const { return std::max(caret_, anchor_); }
  bool Overtype() const { return overtype_; }

  // Typing and editing keys.
  void TypeChar(char32_t ch);
  void Backspace();
  void Delete();
  void ToggleOvertype() { overtype_ = !overtype_; }

  // Caret keys; extend keeps the anchor (Shift held). Up moves as Left,
  // Down as Right.
  void Home(bool extend);
  void Left(bool extend);
  void Right(bool extend);
  void End(bool extend);

  // Mouse and focus: the caret lands on the next input position.
  void Click(int position, bool extend);
  void DoubleClick(int position);
  void DragTo(int position);
  void FocusIn();

  // Clipboard: only typed characters travel.
  std::u32string Copy() const;
  std::u32string Cut();
  void Paste(const std::u32string& clipboard);
  void Undo();

 private:
  bool IsInput(int position) const;
  bool Accepts(int position, char32_t ch) const;
  std::optional<int> NextInput(int from) const;
  std::optional<int> PreviousInput(int before) const;
  std::vector<int> InputPositions() const;
  int FirstInput() const;
  // Where the caret goes when no input position follows: after the last one.
  int AfterLastInput() const;
  int InputLandingPlace(int position) const;
  char32_t DefaultAt(int position) const;
  std::u32string FitToLiteral(const std::u32string& source) const;

  void Write(int position, char32_t ch, bool insert);
  void RemoveInputs(const std::vector<int>& positions);
  std::vector<int> TypedInSelection() const;
  // Removes the selection's input positions, the characters behind them
  // moving left; a selection with nothing typed in it only beeps (if asked).
  void RemoveSelection(bool beepWhenNothingTyped);
  void PlaceCaret(int position, bool extend);
  void Beep();

  std::u32string mask_;
  std::u32string literal_;
  std::u32string default_;
  std::u32string text_;
  std::u32string undoText_;
  bool masked_ = false;
  bool overtype_ = true;
  int caret_ = 0;
  int anchor_ = 0;
  BeepSink beep_;
};

}  // namespace vantrell
