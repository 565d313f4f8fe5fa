#include "core/controls/mask_edit_model.h"

#include <utility>

namespace vantrell {
namespace {

bool IsDigit(char32_t ch) { return ch >= U'0' && ch <= U'9'; }
bool IsHexDigit(char32_t ch) { return IsDigit(ch) || (ch >= U'A' && ch <= U'F') || (ch >= U'a' && ch <= U'f'); }

}  // namespace

void MaskEditModel::SetEditMask(const std::u32string& mask, const std::u32string& literal,
                                const std::u32string& defaultText) {
  mask_ = mask;
  literal_ = literal;
  masked_ = !mask.empty();
  default_ = FitToLiteral(defaultText.empty() ? literal : defaultText);
  text_ = default_;
  undoText_ = text_;
  caret_ = anchor_ = FirstInput();
}

void MaskEditModel::SetText(const std::u32string& text) {
  text_ = FitToLiteral(text);
  caret_ = std::min(caret_, static_cast<int>(text_.size()));
  anchor_ = std::min(anchor_, static_cast<int>(text_.size()));
}

void MaskEditModel::TypeChar(char32_t ch) {
  if (!masked_) return;
  const bool hadSelection = HasSelection();
  const std::optional<int> target = NextInput(SelectionStart());
  if (!target) return Beep();
  const bool space = ch == U' ';
  if (!space && !Accepts(*target, ch)) return Beep();
  if (hadSelection) RemoveSelection(false);
  if (space && !Accepts(*target, ch)) {
    text_[*target] = kMaskPrompt;  // a space where none is allowed clears the position
  } else {
    Write(*target, ch, hadSelection || !overtype_);
  }
  PlaceCaret(NextInput(*target + 1).value_or(*target + 1), false);
}

void MaskEditModel::Backspace() {
  if (!masked_) return;
  if (HasSelection()) return RemoveSelection(true);
  const std::optional<int> previous = PreviousInput(caret_);
  if (!previous) return Beep();
  text_[*previous] = DefaultAt(*previous);
  PlaceCaret(*previous, false);
}

void MaskEditModel::Delete() {
  if (!masked_) return;
  if (HasSelection()) return RemoveSelection(true);
  const std::optional<int> target = NextInput(caret_);
  if (!target) return Beep();
  RemoveInputs({*target});
}

void MaskEditModel::Home(bool extend) { PlaceCaret(FirstInput(), extend); }

void MaskEditModel::Left(bool extend) {
  const int position = !extend && HasSelection() ? SelectionStart() : caret_ - 1;
  PlaceCaret(std::max(position, FirstInput()), extend);
}

void MaskEditModel::Right(bool extend) {
  const int position = !extend && HasSelection() ? SelectionEnd() : caret_ + 1;
  PlaceCaret(std::min(position, static_cast<int>(text_.size())), extend);
}

void MaskEditModel::End(bool extend) { PlaceCaret(static_cast<int>(text_.size()), extend); }

void MaskEditModel::Click(int position, bool extend) { PlaceCaret(InputLandingPlace(position), extend); }

void MaskEditModel::DoubleClick(int position) { PlaceCaret(InputLandingPlace(position), false); }

void MaskEditModel::DragTo(int position) {
  position = std::clamp(position, FirstInput(), static_cast<int>(text_.size()));
  PlaceCaret(position, true);
}

void MaskEditModel::FocusIn() { PlaceCaret(InputLandingPlace(caret_), false); }

std::u32string MaskEditModel::Copy() const {
  std::u32string typed;
  for (int position : TypedInSelection()) typed += text_[position];
  return typed;
}

std::u32string MaskEditModel::Cut() {
  std::u32string typed = Copy();
  if (masked_ && HasSelection()) RemoveSelection(true);
  return typed;
}

void MaskEditModel::Paste(const std::u32string& clipboard) {
  if (!masked_) return;
  const std::vector<int> inputs = InputPositions();
  std::u32string usable;
  for (char32_t ch : clipboard) {
    const bool acceptedSomewhere =
        std::any_of(inputs.begin(), inputs.end(), [&](int position) { return Accepts(position, ch); });
    if (acceptedSomewhere && usable.size() < inputs.size()) usable += ch;
  }
  // Clipboard text with nothing usable still fills the field: with zeros.
  if (HasSelection()) RemoveSelection(true);
  const std::u32string padded = std::u32string(inputs.size() - usable.size(), U'0') + usable;
  for (size_t k = 0; k < inputs.size(); ++k) {
    if (Accepts(inputs[k], padded[k])) text_[inputs[k]] = padded[k];
  }
  PlaceCaret(AfterLastInput(), false);
}

void MaskEditModel::Undo() {
  if (!masked_) return;
  std::swap(text_, undoText_);
  PlaceCaret(std::min(caret_, static_cast<int>(text_.size())), false);
}

bool MaskEditModel::IsInput(int position) const {
  return position >= 0 && position < static_cast<int>(literal_.size()) && literal_[position] == kMaskPrompt;
}

bool MaskEditModel::Accepts(int position, char32_t ch) const {
  if (!IsInput(position) || position >= static_cast<int>(mask_.size())) return false;
  switch (mask_[position]) {
    case U'9': return IsDigit(ch) || ch == U' ';
    case U'H': return IsHexDigit(ch);
    default: return ch >= U' ';  // other mask characters take any printable character
  }
}

std::optional<int> MaskEditModel::NextInput(int from) const {
  for (int position = std::max(from, 0); position < static_cast<int>(literal_.size()); ++position) {
    if (IsInput(position)) return position;
  }
  return std::nullopt;
}

std::optional<int> MaskEditModel::PreviousInput(int before) const {
  for (int position = std::min(before, static_cast<int>(literal_.size())) - 1; position >= 0; --position) {
    if (IsInput(position)) return position;
  }
  return std::nullopt;
}

std::vector<int> MaskEditModel::InputPositions() const {
  std::vector<int> positions;
  for (int position = 0; position < static_cast<int>(literal_.size()); ++position) {
    if (IsInput(position)) positions.push_back(position);
  }
  return positions;
}

int MaskEditModel::FirstInput() const { return NextInput(0).value_or(0); }

int MaskEditModel::AfterLastInput() const {
  const std::optional<int> last = PreviousInput(static_cast<int>(literal_.size()));
  return last ? *last + 1 : static_cast<int>(text_.size());
}

int MaskEditModel::InputLandingPlace(int position) const {
  if (!masked_) return std::clamp(position, 0, static_cast<int>(text_.size()));
  return NextInput(position).value_or(AfterLastInput());
}

char32_t MaskEditModel::DefaultAt(int position) const {
  return position < static_cast<int>(default_.size()) ? default_[position] : kMaskPrompt;
}

std::u32string MaskEditModel::FitToLiteral(const std::u32string& source) const {
  std::u32string fitted = literal_;
  for (int position : InputPositions()) {
    if (position < static_cast<int>(source.size())) fitted[position] = source[position];
  }
  return fitted;
}

void MaskEditModel::Write(int position, char32_t ch, bool insert) {
  if (!insert) {
    text_[position] = ch;
    return;
  }
  // The input characters from here on move one input position to the right;
  // the last one falls off.
  const std::vector<int> inputs = InputPositions();
  for (size_t k = inputs.size(); k-- > 1;) {
    if (inputs[k - 1] < position) break;
    text_[inputs[k]] = text_[inputs[k - 1]];
  }
  text_[position] = ch;
}

void MaskEditModel::RemoveInputs(const std::vector<int>& positions) {
  std::u32string kept;
  for (int position : InputPositions()) {
    if (std::find(positions.begin(), positions.end(), position) == positions.end()) kept += text_[position];
  }
  const std::vector<int> inputs = InputPositions();
  for (size_t k = 0; k < inputs.size(); ++k) text_[inputs[k]] = k < kept.size() ? kept[k] : kMaskPrompt;
}

std::vector<int> MaskEditModel::TypedInSelection() const {
  std::vector<int> typed;
  for (int position = SelectionStart(); position < SelectionEnd(); ++position) {
    if (IsInput(position) && text_[position] != kMaskPrompt) typed.push_back(position);
  }
  return typed;
}

void MaskEditModel::RemoveSelection(bool beepWhenNothingTyped) {
  const int start = SelectionStart();
  if (TypedInSelection().empty()) {
    if (beepWhenNothingTyped) Beep();
  } else {
    std::vector<int> selected;
    for (int position = start; position < SelectionEnd(); ++position) {
      if (IsInput(position)) selected.push_back(position);
    }
    RemoveInputs(selected);
  }
  PlaceCaret(start, false);
}

void MaskEditModel::PlaceCaret(int position, bool extend) {
  caret_ = position;
  if (!extend) anchor_ = position;
}

void MaskEditModel::Beep() {
  if (beep_) beep_();
}

}  // namespace vantrell
