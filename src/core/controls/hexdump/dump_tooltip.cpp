#include "core/controls/hexdump/dump_tooltip.h"

#include <optional>

#include "core/controls/hexdump/dump_style.h"
#include "core/controls/hexdump/dump_text.h"

namespace vantrell {
namespace {

// Characters (not bytes) of UTF-8 text.
int CharacterCount(std::string_view text) {
  int count = 0;
  for (unsigned char byte : text) count += (byte & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

class TipWriter {
 public:
  TipWriter(const DumpBuffer& buffer, int item, std::uint32_t style, char unprintable)
      : buffer_(buffer),
        item_(item),
        itemBytes_((style & kDumpWordMode) != 0 ? 2 : 1),
        firstHighByDefault_((style & kDumpLowByteFirst) == 0),
        unprintable_(unprintable) {}

  void Literal(char ch) { out_ += ch; }

  void Escape(char code) {
    switch (code) {
      case '+': firstHigh_ = true; return;
      case '-': firstHigh_ = false; return;
      case '0': case '1': case '2': case '3': case '4': byteCount_ = code - '0'; return;
      case 'R': return Address();
      case 'H': return Value(DumpFormat::Hexadecimal);
      case 'D': return Value(DumpFormat::Decimal);
      case 'O': return Value(DumpFormat::Octal);
      case 'B': return Value(DumpFormat::Binary);
      case 'A': return Value(DumpFormat::Ascii);
      case 'n': return NewLine();
      case 't': return Tab();
      default: out_ += code; return;
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  int BytesOfCount() const { return *byteCount_ == 0 ? itemBytes_ : *byteCount_; }

  void Address() {
    const int digits = byteCount_ ? 2 * BytesOfCount() : 8;
    AppendHexDigits(out_, static_cast<std::uint32_t>(item_), digits);
    ResetPrefixes();
  }

  void Value(DumpFormat format) {
    const int bytes = byteCount_ ? BytesOfCount() : itemBytes_;
    const std::uint32_t value =
        buffer_.Value(std::int64_t{item_} * itemBytes_, bytes, firstHigh_.value_or(firstHighByDefault_));
    AppendDumpValue(out_, format, value, bytes, unprintable_);
    ResetPrefixes();
  }

  void NewLine() {
    out_ += "\r\n";
    lineStart_ = out_.size();
  }

  void Tab() {
    const int column = CharacterCount(std::string_view(out_).substr(lineStart_));
    out_.append(4 - column % 4, ' ');
  }

  void ResetPrefixes() {
    firstHigh_.reset();
    byteCount_.reset();
  }

  const DumpBuffer& buffer_;
  const int item_;
  const int itemBytes_;
  const bool firstHighByDefault_;
  const char unprintable_;
  std::optional<bool> firstHigh_;
  std::optional<int> byteCount_;
  std::string out_;
  size_t lineStart_ = 0;
};

}  // namespace

std::string FormatDumpTip(std::string_view format, const DumpBuffer& buffer, int item, std::uint32_t style,
                          char unprintable) {
  TipWriter writer(buffer, item, style, unprintable);
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      writer.Literal(format[i]);
    } else if (i + 1 < format.size()) {
      writer.Escape(format[++i]);
    } else {
      writer.Literal('%');  // a lone "%" at the very end stays as it is
    }
  }
  return writer.Take();
}

}  // namespace vantrell
