#pragma once
// The "Get Device Name & Version" exchange (0xF0): which device's firmware
// the writer runs, and its version.
#include <cstdint>
#include <optional>

namespace vantrell {

class WriterExchange;

struct WriterIdentity {
  std::uint16_t number = 0;
  std::uint16_t version = 0;  // high byte major, low byte minor
};

inline constexpr const char* kIdentityCommandName = "Get Device Name & Version";

// Sends 0xF0 on an open link and logs the whole exchange. A failure has been
// shown and logged when this returns nothing. A reply too short to hold the
// number and version counts as a receive failure.
std::optional<WriterIdentity> ExchangeIdentity(WriterExchange& exchange);

}  // namespace vantrell
