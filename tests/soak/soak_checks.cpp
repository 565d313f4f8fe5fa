#include "soak/soak_checks.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace vantrell::soak {

// The system's own CP949 decoder judges, not the core's encoder under test.
bool ValidCp949(const std::string& bytes) {
#if defined(_WIN32)
  if (bytes.empty()) return true;
  return MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) > 0;
#else
  iconv_t cd = iconv_open("UTF-8", "CP949");
  std::string in = bytes;
  std::string out(bytes.size() * 4 + 16, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
  iconv_close(cd);
  return ok;
#endif
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool LostAReply(const std::optional<LinkFaultPlan>& fault, std::uint64_t exchangesMade, std::uint32_t shortestReply) {
  if (!fault || fault->exchange > exchangesMade) return false;
  const std::string& kind = fault->kind;
  return kind == "send_fails" || kind == "no_reply" || (kind == "short_reply" && fault->bytes < shortestReply);
}

}  // namespace vantrell::soak
