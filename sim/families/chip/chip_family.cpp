#include "families/chip/chip_family.h"

#include <algorithm>

namespace orbsim {

using namespace chip;

std::unique_ptr<ChipFamily> ChipFamily::Make(const FirmwareDescriptor& d, const ChipConfig& config) {
  const std::uint64_t sectorBytes = std::uint64_t{d.sectorSizeKb} * 1024;
  const std::uint64_t flashBytes = std::uint64_t{d.flashSizeKb} * 1024;
  if (sectorBytes == 0 || flashBytes == 0 || flashBytes > kMaxFlashBytes) return nullptr;
  ChipDevice device;
  device.identity = {d.chipId, d.flashMakerId, d.flashDeviceId};
  device.readIdForm = d.readIdForm;
  device.sectorBytes = static_cast<std::uint32_t>(std::min(sectorBytes, flashBytes));
  device.flashBytes = static_cast<std::uint32_t>(flashBytes);
  return std::make_unique<ChipFamily>(device, config);
}

ChipFamily::ChipFamily(const ChipDevice& device, const ChipConfig& config) : device_(device) {
  sockets_.reserve(kSockets);
  for (const ChipSocketConfig& socket : config.sockets) sockets_.emplace_back(device.identity, socket, device.flashBytes);
}

bool ChipFamily::Serves(std::uint8_t code) const { return IsChipCode(code); }

Answer ChipFamily::Handle(const Request& r) {
  if (!PayloadFits(r)) return Reply::Refused(r.code);
  switch (r.code) {
    case kReadId: return ReadId();
    case kEraseEnable: return Open(r, Bracket::Erase);
    case kSectorErase: return SectorErase(r);
    case kEraseDisable: return Close(r, Bracket::Erase);
    case kBlankCheck: return BlankCheck(r);
    case kProgramEnable: return Open(r, Bracket::Program);
    case kAutoAddress: return AutoAddress(r);
    case kAutoProgram: return AutoProgram(r);
    case kProgramDisable: return Close(r, Bracket::Program);
    case kVerifySetAddress: return VerifySetAddress(r);
    case kVerifyData: return VerifyData(r);
    case kVerifyEnd: return VerifyEnd(r);
    case kReadEnable: return Open(r, Bracket::Read);
    case kReadRequest: return ReadRequest(r);
    case kReadNext: return ReadNext(r);
    case kReadDisable: return Close(r, Bracket::Read);
    case kCommEnd: return CommEnd(r);
    default: return Reply::Refused(r.code);
  }
}

bool ChipFamily::PayloadFits(const Request& r) const {
  if (auto fixed = FixedPayload(r.code)) return r.payload.size() == *fixed;
  return !r.payload.empty() && r.payload.size() <= kMaxPayload;
}

bool ChipFamily::InFlash(std::uint32_t address, std::uint32_t length) const {
  return address < device_.flashBytes && std::uint64_t{address} + length <= device_.flashBytes;
}

ChipFamily::States ChipFamily::UseEverySocket(std::uint8_t code) {
  States states{};
  for (std::size_t i = 0; i < kSockets; ++i) states[i] = sockets_[i].Use(code);
  return states;
}

ChipFamily::States ChipFamily::ProgramEverySocket(std::uint8_t code, std::uint32_t address,
                                                  std::span<const std::uint8_t> bytes) {
  States states = UseEverySocket(code);
  for (std::size_t i = 0; i < kSockets; ++i)
    if (states[i] == kStateDone) sockets_[i].Program(address, bytes);
  return states;
}

Reply ChipFamily::StatusReply(std::uint8_t code, const States& states) {
  Reply reply;
  reply.bytes[0] = code;
  reply.bytes[1] = static_cast<std::uint8_t>(kSockets);
  std::copy(states.begin(), states.end(), reply.bytes.begin() + 2);
  return reply;
}

// A run begins with Read ID, so whatever an abandoned run left open is closed.
// Its reply is as long as its form: 9 bytes, or 23 with a (manufacturer,
// device) pair per socket.
Answer ChipFamily::ReadId() {
  run_ = Run{};
  const bool extended = device_.readIdForm == ReadIdForm::Extended;
  Reply reply;
  reply.bytes[0] = kReadId;
  reply.bytes[1] = static_cast<std::uint8_t>(extended ? 3 * kSockets : kSockets);
  for (std::size_t i = 0; i < kSockets; ++i) {
    const ChipIdentity id = sockets_[i].Reported();
    reply.bytes[2 + i] = id.chipId;
    if (!extended) continue;
    reply.bytes[9 + 2 * i] = id.makerId;
    reply.bytes[10 + 2 * i] = id.deviceId;
  }
  reply.count = 2 + reply.bytes[1];
  return reply;
}

Answer ChipFamily::Open(const Request& r, Bracket bracket) {
  if (run_.open != Bracket::None) return Reply::Refused(r.code);
  run_ = Run{};
  run_.open = bracket;
  return StatusReply(r.code, UseEverySocket(r.code));
}

Answer ChipFamily::Close(const Request& r, Bracket bracket) {
  if (run_.open != bracket) return Reply::Refused(r.code);
  run_ = Run{};
  return StatusReply(r.code, UseEverySocket(r.code));
}

Answer ChipFamily::SectorErase(const Request& r) {
  const std::uint32_t address = r.U32At(0);
  if (run_.open != Bracket::Erase || address % device_.sectorBytes != 0 || address >= device_.flashBytes)
    return Reply::Refused(r.code);
  // A flash that is no whole number of sectors ends in a short one.
  const std::uint32_t length = std::min(device_.sectorBytes, device_.flashBytes - address);
  const States states = UseEverySocket(r.code);
  Reply reply = StatusReply(r.code, states);
  for (std::size_t i = 0; i < kSockets; ++i) {
    if (states[i] == kStateDone) sockets_[i].Erase(address, length);
    if (sockets_[i].Present()) reply.delayMs = std::max(reply.delayMs, sockets_[i].EraseDelayMs());
  }
  return reply;
}

Answer ChipFamily::BlankCheck(const Request& r) {
  const std::uint32_t address = r.U32At(0);
  const std::uint32_t length = r.U32At(4);
  if (run_.open != Bracket::None || !InFlash(address, length)) return Reply::Refused(r.code);
  States states = UseEverySocket(r.code);
  for (std::size_t i = 0; i < kSockets; ++i)
    if (states[i] == kStateDone && !sockets_[i].IsBlank(address, length)) states[i] = kStateNotBlank;
  return StatusReply(r.code, states);
}

// The first byte travels with the address; the writer then advances by itself.
Answer ChipFamily::AutoAddress(const Request& r) {
  const std::uint32_t address = r.U32At(0);
  if (run_.open != Bracket::Program || run_.addressSet || address >= device_.flashBytes) return Reply::Refused(r.code);
  const States states = ProgramEverySocket(r.code, address, r.payload.subspan(4, 1));
  run_.addressSet = true;
  run_.programNext = address + 1;
  return StatusReply(r.code, states);
}

Answer ChipFamily::AutoProgram(const Request& r) {
  const auto n = static_cast<std::uint32_t>(r.payload.size());
  if (run_.open != Bracket::Program || !run_.addressSet || run_.lastPieceSeen || !InFlash(run_.programNext, n))
    return Reply::Refused(r.code);
  const States states = ProgramEverySocket(r.code, run_.programNext, r.payload);
  run_.programNext += n;
  if (n < kMaxPayload) run_.lastPieceSeen = true;
  return StatusReply(r.code, states);
}

Answer ChipFamily::VerifySetAddress(const Request& r) {
  const std::uint32_t address = r.U32At(0);
  const std::uint32_t length = r.U32At(4);
  if (run_.open != Bracket::None || !InFlash(address, length)) return Reply::Refused(r.code);
  run_.open = Bracket::Verify;
  run_.verifyStart = address;
  run_.verifyLength = length;
  run_.verifyReceived = 0;
  return StatusReply(r.code, UseEverySocket(r.code));
}

Answer ChipFamily::VerifyData(const Request& r) {
  const auto n = static_cast<std::uint32_t>(r.payload.size());
  const std::uint32_t left = run_.verifyLength - run_.verifyReceived;
  // Only the packet that completes the announced length may be short.
  if (run_.open != Bracket::Verify || n > left || (n < kMaxPayload && n != left)) return Reply::Refused(r.code);
  run_.verifyReceived += n;
  return StatusReply(r.code, UseEverySocket(r.code));
}

// Each socket's checksum of what its flash holds over the announced range;
// a chip that fails the command gives the inverted value, an empty socket 0.
Answer ChipFamily::VerifyEnd(const Request& r) {
  if (run_.open != Bracket::Verify || run_.verifyReceived != run_.verifyLength) return Reply::Refused(r.code);
  Reply reply;
  reply.bytes[0] = r.code;
  reply.bytes[1] = static_cast<std::uint8_t>(4 * kSockets);
  for (std::size_t i = 0; i < kSockets; ++i) {
    const bool done = sockets_[i].Use(r.code) == kStateDone;
    std::uint32_t crc = 0;
    if (sockets_[i].Present()) crc = sockets_[i].Checksum(run_.verifyStart, run_.verifyLength);
    if (sockets_[i].Present() && !done) crc = ~crc;
    for (std::size_t b = 0; b < 4; ++b) reply.bytes[2 + 4 * i + b] = static_cast<std::uint8_t>(crc >> (8 * b));
  }
  run_ = Run{};
  return reply;
}

// Only the MASTER chip is read; byte 2 is its state.
Answer ChipFamily::ReadRequest(const Request& r) {
  const std::uint32_t address = r.U32At(0);
  const std::uint32_t length = r.U32At(4);
  if (run_.open != Bracket::Read || run_.readRequested || length == 0 || !InFlash(address, length))
    return Reply::Refused(r.code);
  const std::uint8_t state = sockets_[kMasterSocket].Use(r.code);
  if (state != kStateDone) return Reply::Status(r.code, state);
  run_.readRequested = true;
  run_.readNext = address;
  run_.readLeft = length;
  return Reply::Status(r.code, kStateDone);
}

// 62 bytes a packet; the last one is shorter, and is empty when the length
// is a whole number of packets.
Answer ChipFamily::ReadNext(const Request& r) {
  if (run_.open != Bracket::Read || !run_.readRequested || run_.readDrained) return Reply::Refused(r.code);
  const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(run_.readLeft, kMaxPayload));
  const auto flash = sockets_[kMasterSocket].Flash();
  Reply reply = Reply::Data(r.code, flash.subspan(run_.readNext, n));
  run_.readNext += n;
  run_.readLeft -= n;
  if (n < kMaxPayload) run_.readDrained = true;
  return reply;
}

Answer ChipFamily::CommEnd(const Request& r) {
  run_ = Run{};
  return StatusReply(r.code, UseEverySocket(r.code));
}

nlohmann::json ChipFamily::StatusJson() const {
  static constexpr const char* kBracketNames[] = {"none", "erase", "program", "verify", "read"};
  nlohmann::json j;
  j["device"] = {{"chip_id", device_.identity.chipId},
                 {"maker_id", device_.identity.makerId},
                 {"device_id", device_.identity.deviceId},
                 {"read_id_form", device_.readIdForm == ReadIdForm::Extended ? "extended" : "short"},
                 {"sector_bytes", device_.sectorBytes},
                 {"flash_bytes", device_.flashBytes}};
  j["open"] = kBracketNames[static_cast<int>(run_.open)];
  j["sockets"] = nlohmann::json::array();
  for (const ChipSocket& s : sockets_) {
    const ChipIdentity id = s.Reported();
    j["sockets"].push_back(
        {{"present", s.Present()}, {"chip_id", id.chipId}, {"maker_id", id.makerId}, {"device_id", id.deviceId},
         {"failures_reported", s.FailuresReported()}});
  }
  return j;
}

}  // namespace orbsim
