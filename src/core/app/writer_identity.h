#pragma once
// The "Get Device Name & Version" exchange (0xF0): which device's firmware
// the writer runs, and its version.
#include <cstdint>

namespace vantrell {

class WriterLink;

enum class ExchangeFailure { None, Send, Receive };

struct WriterIdentity {
  std::uint16_t number = 0;
  std::uint16_t version = 0;  // high byte major, low byte minor
};

struct IdentityExchange {
  ExchangeFailure failure = ExchangeFailure::None;
  WriterIdentity identity;
};

inline constexpr const char* kIdentityCommandName = "Get Device Name & Version";

// Sends 0xF0 on an open link and logs the whole exchange. A reply too short
// to hold number and version counts as a receive failure. Failures are
// returned, not reported: the caller shows its box, then logs.
IdentityExchange ExchangeIdentity(WriterLink& link);

}  // namespace vantrell
