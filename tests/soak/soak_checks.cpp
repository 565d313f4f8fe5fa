#include "soak/soak_checks.h"

#include <iconv.h>

namespace vantrell::soak {

bool ValidCp949(const std::string& bytes) {
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
