#include "core/controls/num_edit_model.h"

#include <algorithm>
#include <utility>

namespace vantrell {
namespace {

int CodeOfAction(int action) {
  if (action == kActionCancel) return kNumEditCancelCode;
  if (action == kActionCommit) return kNumEditCommitCode;
  if (action >= kActionHexadecimal) return kNumEditFormatCode;
  return kNumEditMoveCode;
}

std::optional<int> FormatActionOf(char letter) {
  switch (letter) {
    case 'H': return kActionHexadecimal;
    case 'D': return kActionDecimal;
    case 'B': return kActionBinary;
    case 'O': return kActionOctal;
    case 'A': return kActionAscii;
    default: return std::nullopt;
  }
}

}  // namespace

NumEditModel::NumEditModel(const SystemColours& system) : normal_{system.windowText, system.window} {}

std::u32string NumEditModel::SetEditValue(std::uint32_t value, NumEditMode mode, int byteSize,
                                          std::uint32_t minimum, std::uint32_t maximum) {
  if (byteSize > 0) {
    minimum = 0;
    maximum = byteSize >= 4 ? 0xFFFFFFFF : (std::uint32_t{1} << (8 * byteSize)) - 1;
  } else if (minimum > maximum) {
    std::swap(minimum, maximum);
  }
  if (value < minimum || value > maximum) value = minimum;
  mode_ = mode;
  minimum_ = minimum;
  maximum_ = maximum;
  maxLength_ = NumEditMaxLength(mode, maximum);
  if (mode == NumEditMode::Hexadecimal) upperCase_ = true;
  if (mode == NumEditMode::Ascii) upperCase_ = false;
  initialText_ = FormatNumEditValue(mode, value, maximum);
  SetText(initialText_);
  return text_;
}

void NumEditModel::SetText(std::u32string text) {
  text_ = std::move(text);
  const std::uint64_t value = ParseNumEditText(mode_, text_);
  valid_ = value >= minimum_ && value <= maximum_;
}

std::uint32_t NumEditModel::EditValue() const {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(ParseNumEditText(mode_, text_), 0xFFFFFFFF));
}

std::optional<char32_t> NumEditModel::FilterChar(char32_t ch, bool hasSelection) const {
  if (ch < 32) return ch;
  if (static_cast<int>(text_.size()) >= maxLength_ && !hasSelection) return std::nullopt;
  if (!IsNumEditDigit(mode_, ch)) return std::nullopt;
  if (upperCase_ && ch >= U'a' && ch <= U'z') ch = ch - U'a' + U'A';
  return ch;
}

bool NumEditModel::KeyDown(const NumEditKeyPress& press, const EditCaret& caret) {
  const std::optional<int> action = ActionOf(press, caret);
  if (!action) return AlwaysConsumed(press);
  if (*action == kActionCancel || valid_) {
    Send(*action);
    return true;
  }
  return AlwaysConsumed(press);
}

std::optional<int> NumEditModel::ActionOf(const NumEditKeyPress& press, const EditCaret& caret) const {
  const bool atStart = caret.position == 0 && !caret.hasSelection;
  const bool atEnd = caret.position >= caret.textLength && !caret.hasSelection;
  switch (press.key) {
    case NumEditKey::Enter: return kActionCommit;
    case NumEditKey::Escape: return kActionCancel;
    case NumEditKey::Tab: return press.shift ? kActionPreviousField : kActionNextField;
    case NumEditKey::PageUp: return kActionPageUp;
    case NumEditKey::PageDown: return kActionPageDown;
    case NumEditKey::Home: return press.ctrl ? std::optional<int>(kActionRowStart) : std::nullopt;
    case NumEditKey::End: return press.ctrl ? std::optional<int>(kActionRowEnd) : std::nullopt;
    case NumEditKey::Left:
      return press.ctrl || atStart ? std::optional<int>(kActionPreviousItem) : std::nullopt;
    case NumEditKey::Right:
      return press.ctrl || atEnd ? std::optional<int>(kActionNextItem) : std::nullopt;
    case NumEditKey::Up: return kActionRowUp;
    case NumEditKey::Down: return kActionRowDown;
    case NumEditKey::Letter: return press.ctrl ? FormatActionOf(press.letter) : std::nullopt;
    case NumEditKey::Other: break;
  }
  return std::nullopt;
}

bool NumEditModel::AlwaysConsumed(const NumEditKeyPress& press) {
  switch (press.key) {
    case NumEditKey::Enter:
    case NumEditKey::Escape:
    case NumEditKey::Tab: return true;
    case NumEditKey::Letter: return press.ctrl && FormatActionOf(press.letter).has_value();
    default: return false;
  }
}

void NumEditModel::SetColours(CellColours normal, CellColours outOfRange) {
  normal_ = normal;
  outOfRange_ = outOfRange;
}

void NumEditModel::Send(int action) {
  if (notify_) notify_({CodeOfAction(action), action, EditValue()});
}

}  // namespace vantrell
