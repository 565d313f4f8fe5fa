#include "core/nand/commands/nand_requests.h"

namespace vantrell::nand_request {

RequestPacket Bare(std::uint8_t code) { return RequestPacket(code); }

RequestPacket WithNumber(std::uint8_t code, std::uint32_t number) {
  RequestPacket request(code);
  request.AddU32(number);
  return request;
}

RequestPacket WriteData(std::span<const std::uint8_t> data) {
  RequestPacket request(kWriteData);
  request.AddBytes(data);
  return request;
}

}  // namespace vantrell::nand_request
