#pragma once
// The in-place numeric editor of the dump view: one number in one base, kept
// within a range, coloured when out of range, and reporting Enter, Escape and
// navigation keys to its owner instead of handling them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/controls/cell_data.h"
#include "core/controls/colour.h"
#include "core/controls/num_edit_text.h"

namespace vantrell {

// Notification codes and their action codes.
inline constexpr int kNumEditCancelCode = 0x466;  // action 0
inline constexpr int kNumEditCommitCode = 0x467;  // action 1
inline constexpr int kNumEditMoveCode = 0x468;    // actions 2 to 13
inline constexpr int kNumEditFormatCode = 0x469;  // actions 14 to 18

enum NumEditAction : int {
  kActionCancel = 0,
  kActionCommit = 1,
  kActionRowStart = 4,
  kActionRowEnd = 5,
  kActionPreviousItem = 6,
  kActionNextItem = 7,
  kActionRowUp = 8,
  kActionRowDown = 9,
  kActionNextField = 10,
  kActionPreviousField = 11,
  kActionPageUp = 12,
  kActionPageDown = 13,
  kActionHexadecimal = 14,
  kActionDecimal = 15,
  kActionBinary = 16,
  kActionOctal = 17,
  kActionAscii = 18,
};

struct NumEditNotification {
  int code = 0;
  int action = 0;
  std::uint32_t value = 0;
  bool operator==(const NumEditNotification&) const = default;
};

enum class NumEditKey { Enter, Escape, Tab, PageUp, PageDown, Home, End, Left, Right, Up, Down, Letter, Other };

struct NumEditKeyPress {
  NumEditKey key = NumEditKey::Other;
  char letter = 0;  // for NumEditKey::Letter, upper case
  bool ctrl = false;
  bool shift = false;
};

// Where the edit's caret is when a key arrives.
struct EditCaret {
  int position = 0;
  bool hasSelection = false;
  int textLength = 0;
};

class NumEditModel {
 public:
  using NotifySink = std::function<void(const NumEditNotification&)>;

  explicit NumEditModel(const SystemColours& system = {});

  void SetNotifySink(NotifySink sink) { notify_ = std::move(sink); }

  // byteSize 1 and 2 give 0..255 and 0..65535 (3 and 4 likewise), 0 takes
  // minimum and maximum in either order. A value outside becomes the minimum.
  // Returns the new text, which is now both the current and the initial text.
  std::u32string SetEditValue(std::uint32_t value, NumEditMode mode, int byteSize, std::uint32_t minimum,
                              std::uint32_t maximum);

  // To be called after every change of the text.
  void SetText(std::u32string text);
  std::uint32_t EditValue() const;
  bool IsValid() const { return valid_; }
  bool TextChanged() const { return text_ != initialText_; }

  // The character to insert for a typed one, or none when refused.
  std::optional<char32_t> FilterChar(char32_t ch, bool hasSelection) const;
  // Sends what the key stands for; true when the key must not be handled
  // any further.
  bool KeyDown(const NumEditKeyPress& press, const EditCaret& caret);

  void SetColours(CellColours normal, CellColours outOfRange);
  CellColours CurrentColours() const { return valid_ ? normal_ : outOfRange_; }

  const std::u32string& Text() const { return text_; }
  const std::u32string& InitialText() const { return initialText_; }
  NumEditMode Mode() const { return mode_; }
  std::uint32_t Minimum() const { return minimum_; }
  std::uint32_t Maximum() const { return maximum_; }
  int MaxLength() const { return maxLength_; }
  bool UpperCase() const { return upperCase_; }

 private:
  std::optional<int> ActionOf(const NumEditKeyPress& press, const EditCaret& caret) const;
  static bool AlwaysConsumed(const NumEditKeyPress& press);
  void Send(int action);

  NumEditMode mode_ = NumEditMode::Decimal;
  std::uint32_t minimum_ = 0;
  std::uint32_t maximum_ = 0xFFFFFFFF;
  int maxLength_ = 10;
  bool upperCase_ = true;
  std::u32string text_;
  std::u32string initialText_;
  bool valid_ = true;
  CellColours normal_;
  CellColours outOfRange_{0xFFFFFF, 0x0000FF};
  NotifySink notify_;
};

}  // namespace vantrell
