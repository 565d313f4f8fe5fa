#include "families/sim_packet.h"

#include <algorithm>

namespace orbsim {

std::uint32_t Request::U32At(std::size_t offset) const {
  return static_cast<std::uint32_t>(payload[offset]) | (static_cast<std::uint32_t>(payload[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(payload[offset + 2]) << 16) |
         (static_cast<std::uint32_t>(payload[offset + 3]) << 24);
}

Reply Reply::Status(std::uint8_t code, std::uint8_t state) {
  Reply r;
  r.bytes[0] = code;
  r.bytes[1] = 1;
  r.bytes[2] = state;
  return r;
}

Reply Reply::Data(std::uint8_t code, std::span<const std::uint8_t> data) {
  Reply r;
  const std::size_t n = std::min(data.size(), kMaxPayload);
  r.bytes[0] = code;
  r.bytes[1] = static_cast<std::uint8_t>(n);
  std::copy_n(data.begin(), n, r.bytes.begin() + 2);
  return r;
}

Reply Reply::Refused(std::uint8_t code) {
  Reply r;
  r.bytes.fill(kStateRefused);
  r.bytes[0] = code;
  r.bytes[1] = 1;
  return r;
}

}  // namespace orbsim
