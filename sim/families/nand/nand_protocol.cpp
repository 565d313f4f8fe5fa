#include "families/nand/nand_protocol.h"

namespace orbsim::nand {

bool IsNandCode(std::uint8_t code) { return code == kWriteData || FixedPayload(code).has_value(); }

std::optional<std::size_t> FixedPayload(std::uint8_t code) {
  switch (code) {
    case kReadInformation:
    case kReadBadBlockCount:
    case kReadBadBlockInformation:
    case kReadData:
    case kReadFatStart:
    case kProgramStart:
    case kProgramEnd:
      return 0;
    case kReadBlockNumber:
    case kEraseBlock:
    case kWriteBlockNumber:
    case kWriteFatStart:
      return 4;
    default:
      return std::nullopt;
  }
}

}  // namespace orbsim::nand
