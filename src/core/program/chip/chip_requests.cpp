#include "core/program/chip/chip_requests.h"

#include <stdexcept>

namespace vantrell::chip_request {

RequestPacket Bare(std::uint8_t code) { return RequestPacket(code); }

RequestPacket WithAddress(std::uint8_t code, std::uint32_t address) {
  RequestPacket request(code);
  request.AddU32(address);
  return request;
}

RequestPacket WithAddressAndLength(std::uint8_t code, std::uint32_t address, std::uint32_t length) {
  RequestPacket request(code);
  request.AddU32(address).AddU32(length);
  return request;
}

RequestPacket AaiAutoAddress(std::uint32_t address, std::uint8_t firstByte) {
  RequestPacket request(kAaiAutoAddress);
  request.AddU32(address).AddByte(firstByte);
  return request;
}

RequestPacket WithData(std::uint8_t code, std::span<const std::uint8_t> data) {
  // An empty data packet would be a fault of the caller, not of the writer.
  if (data.empty()) throw std::invalid_argument("chip data packet without data");
  RequestPacket request(code);
  request.AddBytes(data);
  return request;
}

}  // namespace vantrell::chip_request
