#include "support/fake_chip_writer.h"

#include <algorithm>

#include "core/program/job/file_checksum.h"

namespace vantrell::test {
namespace {

constexpr std::size_t kPacket = 64;
constexpr std::uint8_t kNoChip = 0xFF;

}  // namespace

FakeChipWriter::FakeChipWriter(std::uint32_t sectorBytes, std::uint32_t flashBytes, std::uint8_t chipId,
                               std::uint8_t makerId, std::uint8_t deviceId)
    : sectorBytes_(sectorBytes) {
  for (Chip& chip : chips) {
    chip.chipId = chipId;
    chip.makerId = makerId;
    chip.deviceId = deviceId;
    chip.flash.assign(flashBytes, 0xFF);
  }
}

void FakeChipWriter::FailCommand(std::uint8_t code, std::size_t socket, std::uint8_t state, int nthUse) {
  std::lock_guard<std::mutex> lock(mutex_);
  failures_[{code, socket}] = {state, nthUse};
}

void FakeChipWriter::FaultAt(std::uint64_t exchange, Fault fault, std::uint32_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_[exchange] = {fault, bytes};
}

std::vector<std::vector<std::uint8_t>> FakeChipWriter::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::vector<std::uint8_t> FakeChipWriter::Codes() const {
  std::vector<std::uint8_t> codes;
  for (const auto& r : Requests()) codes.push_back(r[0]);
  return codes;
}

std::size_t FakeChipWriter::CountOf(std::uint8_t code) const {
  const auto codes = Codes();
  return static_cast<std::size_t>(std::count(codes.begin(), codes.end(), code));
}

std::uint64_t FakeChipWriter::Exchanges() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return exchanges_;
}

bool FakeChipWriter::IsOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return open_;
}

int FakeChipWriter::CloseCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closeCount_;
}

std::vector<std::uint8_t> FakeChipWriter::Flash(std::size_t socket) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return chips[socket].flash;
}

int FakeChipWriter::OpenDevice(int) {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = openResult != 0;
  pending_.reset();
  return openResult;
}

void FakeChipWriter::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = false;
  pending_.reset();
  ++closeCount_;
}

int FakeChipWriter::Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t) {
  std::uint64_t number = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    number = ++exchanges_;
  }
  if (onExchange) onExchange(number);

  std::lock_guard<std::mutex> lock(mutex_);
  *sent = 0;
  pending_.reset();
  if (!open_ || length < 2) return 0;
  const auto fault = faults_.find(number);
  if (fault != faults_.end() && fault->second.first == Fault::SendFails) return 0;

  std::vector<std::uint8_t> request(buffer, buffer + length);
  requests_.push_back(request);
  Reply reply = Answer(request);
  if (fault != faults_.end() && fault->second.first == Fault::ShortReply) reply.resize(fault->second.second);
  if (fault == faults_.end() || fault->second.first != Fault::NoReply) pending_ = std::move(reply);
  *sent = length;
  return 1;
}

int FakeChipWriter::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t) {
  std::lock_guard<std::mutex> lock(mutex_);
  *received = 0;
  if (!open_ || !pending_ || pending_->empty()) {
    pending_.reset();
    return 0;
  }
  const std::size_t n = std::min<std::size_t>(pending_->size(), capacity);
  std::copy_n(pending_->begin(), n, buffer);
  *received = static_cast<std::uint32_t>(n);
  pending_.reset();
  return 1;
}

std::uint32_t FakeChipWriter::U32(const std::vector<std::uint8_t>& request, std::size_t payloadOffset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && 2 + payloadOffset + i < request.size(); ++i) {
    value |= static_cast<std::uint32_t>(request[2 + payloadOffset + i]) << (8 * i);
  }
  return value;
}

std::array<std::uint8_t, FakeChipWriter::kSockets> FakeChipWriter::States(std::uint8_t code) {
  const int use = ++uses_[code];
  std::array<std::uint8_t, kSockets> states{};
  for (std::size_t i = 0; i < kSockets; ++i) {
    if (!chips[i].present) {
      states[i] = kNoChip;
      continue;
    }
    const auto failure = failures_.find({code, i});
    if (failure != failures_.end() && (failure->second.second == 0 || failure->second.second == use)) {
      states[i] = failure->second.first;
    }
  }
  return states;
}

FakeChipWriter::Reply FakeChipWriter::StatusReply(std::uint8_t code, const std::array<std::uint8_t, kSockets>& states) {
  Reply reply(kPacket, 0);
  reply[0] = code;
  reply[1] = kSockets;
  std::copy(states.begin(), states.end(), reply.begin() + 2);
  return reply;
}

FakeChipWriter::Reply FakeChipWriter::Answer(const std::vector<std::uint8_t>& request) {
  const std::uint8_t code = request[0];
  auto states = States(code);
  switch (code) {
    case 0xA0:
      return ReadIdReply();
    case 0xC1:
      EraseSector(U32(request, 0), states);
      return StatusReply(code, states);
    case 0xA9: {
      const std::uint32_t address = U32(request, 0);
      const std::uint32_t length = U32(request, 4);
      for (std::size_t i = 0; i < kSockets; ++i) {
        if (states[i] != 0) continue;
        const auto& flash = chips[i].flash;
        for (std::uint64_t a = address; a < std::uint64_t{address} + length && a < flash.size(); ++a) {
          if (flash[a] != 0xFF) {
            states[i] = 1;
            break;
          }
        }
      }
      return StatusReply(code, states);
    }
    case 0xD3:
      programAddress_ = U32(request, 0);
      if (request.size() > 6) ProgramBytes(&request[6], 1);
      return StatusReply(code, states);
    case 0xD4:
      ProgramBytes(&request[2], request.size() - 2);
      return StatusReply(code, states);
    case 0xA5:
      verifyAddress_ = U32(request, 0);
      verifyCrc_.fill(kChecksumStart);
      return StatusReply(code, states);
    case 0xA6:
      FoldVerify(&request[2], request.size() - 2);
      return StatusReply(code, states);
    case 0xA7:
      return VerifyEndReply();
    case 0xA4:
      readAddress_ = U32(request, 0);
      readLeft_ = U32(request, 4);
      readPacketIndex_ = 0;
      return StatusReply(code, states);
    case 0xAA:
      return ReadNextReply();
    case 0xC0: case 0xC6: case 0xD0: case 0xD1: case 0xA1: case 0xA2: case 0xA8:
      return StatusReply(code, states);
    default:
      states.fill(0xFF);
      return StatusReply(code, states);
  }
}

FakeChipWriter::Reply FakeChipWriter::ReadIdReply() {
  if (idReply) return *idReply;
  Reply reply{0xA0, 0};
  for (const Chip& chip : chips) reply.push_back(chip.present ? chip.chipId : kNoChip);
  if (idForm == IdForm::Extended) {
    for (const Chip& chip : chips) {
      reply.push_back(chip.present ? chip.makerId : kNoChip);
      reply.push_back(chip.present ? chip.deviceId : kNoChip);
    }
  }
  reply[1] = static_cast<std::uint8_t>(reply.size() - 2);
  return reply;
}

FakeChipWriter::Reply FakeChipWriter::ReadNextReply() {
  if (readPackets) {
    if (readPacketIndex_ < readPackets->size()) return (*readPackets)[readPacketIndex_++];
    return Reply(kPacket, 0);
  }
  Reply reply(kPacket, 0);
  reply[0] = 0xAA;
  const std::uint32_t n = std::min<std::uint32_t>(62, readLeft_);
  reply[1] = static_cast<std::uint8_t>(n);
  const auto& flash = chips[0].flash;
  for (std::uint32_t i = 0; i < n && readAddress_ + i < flash.size(); ++i) reply[2 + i] = flash[readAddress_ + i];
  readAddress_ += n;
  readLeft_ -= n;
  return reply;
}

FakeChipWriter::Reply FakeChipWriter::VerifyEndReply() {
  Reply reply(kPacket, 0);
  reply[0] = 0xA7;
  reply[1] = 4 * kSockets;
  for (std::size_t i = 0; i < kSockets; ++i) {
    for (std::size_t b = 0; b < 4; ++b) reply[2 + 4 * i + b] = static_cast<std::uint8_t>(verifyCrc_[i] >> (8 * b));
  }
  return reply;
}

void FakeChipWriter::EraseSector(std::uint32_t address, const std::array<std::uint8_t, kSockets>& states) {
  for (std::size_t i = 0; i < kSockets; ++i) {
    if (states[i] != 0) continue;
    auto& flash = chips[i].flash;
    for (std::uint64_t a = address; a < std::uint64_t{address} + sectorBytes_ && a < flash.size(); ++a) flash[a] = 0xFF;
  }
}

void FakeChipWriter::ProgramBytes(const std::uint8_t* data, std::size_t n) {
  for (Chip& chip : chips) {
    if (!chip.present) continue;
    for (std::size_t k = 0; k < n; ++k) {
      const std::uint32_t a = programAddress_ + static_cast<std::uint32_t>(k);
      if (a >= chip.flash.size()) continue;
      chip.flash[a] &= data[k];
      const auto stuck = chip.stuckBits.find(a);
      if (stuck != chip.stuckBits.end()) chip.flash[a] |= stuck->second;
    }
  }
  programAddress_ += static_cast<std::uint32_t>(n);
}

void FakeChipWriter::FoldVerify(const std::uint8_t*, std::size_t n) {
  // The writer's checksum covers what its flash holds, not what was sent.
  for (std::size_t i = 0; i < kSockets; ++i) {
    const auto& flash = chips[i].flash;
    std::vector<std::uint8_t> held(n, 0xFF);
    for (std::size_t k = 0; k < n && verifyAddress_ + k < flash.size(); ++k) held[k] = flash[verifyAddress_ + k];
    verifyCrc_[i] = UpdateChecksum(verifyCrc_[i], held);
  }
  verifyAddress_ += static_cast<std::uint32_t>(n);
}

}  // namespace vantrell::test
