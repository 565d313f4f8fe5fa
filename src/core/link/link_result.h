#pragma once
#include <cstdint>

namespace vantrell {

// Result of one command routine or of a whole operation, handed to the
// end-of-operation routine of a command family.
enum class LinkResult : std::uint32_t {
  Reported = 0,           // the failure was already shown and logged
  Success = 1,
  WriteUsbError = 0xAAA,  // the request could not be sent
  ReadUsbError = 0xBBB,   // no reply arrived
  CommError = 0xCCC,      // a reply arrived but is not the one expected
  Finished = 0xDDD,       // a worker's whole operation completed
  BadBlock = 0xEEE,       // a NAND block command reported state 0xFE
};

constexpr std::uint32_t ToCode(LinkResult r) { return static_cast<std::uint32_t>(r); }

}  // namespace vantrell
