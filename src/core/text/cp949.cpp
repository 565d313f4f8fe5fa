#include "core/text/cp949.h"

#include <cerrno>
#include <cstring>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace vantrell {
namespace {

// Length of the UTF-8 sequence starting with lead byte c, 0 when c cannot start one.
size_t Utf8SequenceLength(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 0;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

#if !defined(_WIN32)
// One converter per direction; iconv descriptors are not thread-safe, so
// every use holds the converter's lock.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one whole unit; false when it has no form in the target set.
  bool ConvertUnit(std::string_view in, std::string& out) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char inBuf[8];
    char outBuf[16];
    if (in.size() > sizeof inBuf) return false;
    std::memcpy(inBuf, in.data(), in.size());
    char* inPtr = inBuf;
    size_t inLeft = in.size();
    char* outPtr = outBuf;
    size_t outLeft = sizeof outBuf;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return false;
    out.append(outBuf, sizeof outBuf - outLeft);
    return true;
  }

 private:
  iconv_t cd_;
  std::mutex mutex_;
};

Converter& ToCp949() {
  static Converter converter("CP949", "UTF-8");
  return converter;
}
Converter& FromCp949() {
  static Converter converter("UTF-8", "CP949");
  return converter;
}
#endif

bool ConvertUtf8Char(std::string_view ch, std::string& out) {
#if defined(_WIN32)
  wchar_t wide[2];
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, ch.data(), int(ch.size()), wide, 2);
  if (n <= 0) return false;
  char narrow[8];
  BOOL lossy = FALSE;
  int m = WideCharToMultiByte(949, 0, wide, n, narrow, sizeof narrow, nullptr, &lossy);
  if (m <= 0 || lossy) return false;
  out.append(narrow, size_t(m));
  return true;
#else
  return ToCp949().ConvertUnit(ch, out);
#endif
}

bool ConvertCp949Char(std::string_view ch, std::string& out) {
#if defined(_WIN32)
  wchar_t wide[2];
  int n = MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, ch.data(), int(ch.size()), wide, 2);
  if (n <= 0) return false;
  char narrow[8];
  int m = WideCharToMultiByte(CP_UTF8, 0, wide, n, narrow, sizeof narrow, nullptr, nullptr);
  if (m <= 0) return false;
  out.append(narrow, size_t(m));
  return true;
#else
  return FromCp949().ConvertUnit(ch, out);
#endif
}

// In CP949 a byte from 0x81 to 0xFE starts a double-byte character.
bool IsCp949LeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

std::string Utf8ToCp949(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    size_t len = Utf8SequenceLength(lead);
    bool valid = len > 0 && i + len <= utf8.size();
    for (size_t k = 1; valid && k < len; ++k) valid = IsContinuation(static_cast<unsigned char>(utf8[i + k]));
    if (!valid) {
      out.push_back('?');
      ++i;
      continue;
    }
    if (!ConvertUtf8Char(utf8.substr(i, len), out)) out.push_back('?');
    i += len;
  }
  return out;
}

std::string Cp949ToUtf8(std::string_view cp949) {
  std::string out;
  out.reserve(cp949.size() * 3 / 2);
  size_t i = 0;
  while (i < cp949.size()) {
    const auto lead = static_cast<unsigned char>(cp949[i]);
    if (!IsCp949LeadByte(lead)) {
      if (lead < 0x80) out.push_back(static_cast<char>(lead));
      else out.push_back('?');
      ++i;
      continue;
    }
    if (i + 1 >= cp949.size() || !ConvertCp949Char(cp949.substr(i, 2), out)) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += 2;
  }
  return out;
}

std::string TruncateCp949(std::string_view cp949, size_t maxBytes) {
  if (cp949.size() <= maxBytes) return std::string(cp949);
  // Walk whole characters so a cut never lands inside a double-byte one.
  size_t end = 0;
  while (end < maxBytes) {
    const size_t width = IsCp949LeadByte(static_cast<unsigned char>(cp949[end])) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return std::string(cp949.substr(0, end));
}

}  // namespace vantrell
