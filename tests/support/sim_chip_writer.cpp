#include "support/sim_chip_writer.h"

#include <algorithm>

namespace vantrell::test {
namespace {

const char* FaultName(SimChipWriter::Fault fault) {
  switch (fault) {
    case SimChipWriter::Fault::SendFails: return "send_fails";
    case SimChipWriter::Fault::NoReply: return "no_reply";
    case SimChipWriter::Fault::ShortReply: return "short_reply";
  }
  return "no_reply";
}

nlohmann::json StuckBits(const std::map<std::uint32_t, std::uint8_t>& stuck) {
  nlohmann::json bits = nlohmann::json::array();
  for (const auto& [offset, mask] : stuck)
    for (int bit = 0; bit < 8; ++bit)
      if (mask & (1u << bit)) bits.push_back({{"offset", offset}, {"bit", bit}, {"value", 1}});
  return bits;
}

}  // namespace

SimChipWriter::SimChipWriter(const SelectedDevice& device) : device_(device) {
  for (Chip& chip : chips) {
    chip.chipId = device.chipId;
    chip.makerId = device.flashMakerId;
    chip.deviceId = device.flashDeviceId;
  }
  for (auto& flash : firstFlash_) flash.assign(std::size_t{device.flashSizeKb} * 1024, 0xFF);
}

void SimChipWriter::SetFlash(std::size_t socket, std::uint32_t offset, const std::vector<std::uint8_t>& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (applied_) {
    sim_.WriteSocketFlash(static_cast<int>(socket), offset, bytes);
    return;
  }
  auto& flash = firstFlash_.at(socket);
  const std::size_t at = std::min<std::size_t>(offset, flash.size());
  std::copy_n(bytes.begin(), std::min(bytes.size(), flash.size() - at), flash.begin() + at);
}

void SimChipWriter::FailCommand(std::uint8_t code, std::size_t socket, std::uint8_t state, int nthUse) {
  std::lock_guard<std::mutex> lock(mutex_);
  nlohmann::json fault = {{"command", code}, {"status", state}, {"use", nthUse == 0 ? 1 : nthUse}};
  if (nthUse == 0) fault["times"] = UINT64_MAX;
  socketFaults_[socket].push_back(fault);
  changed_ = true;
}

void SimChipWriter::FaultAt(std::uint64_t exchange, Fault fault, std::uint32_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  linkFaults_[exchange] = {fault, bytes};
  changed_ = true;
}

void SimChipWriter::Reconfigure() {
  std::lock_guard<std::mutex> lock(mutex_);
  ApplyLocked();
}

nlohmann::json SimChipWriter::ConfigLocked() const {
  // A reply that never comes is known at once: no test waits out a timeout.
  nlohmann::json config = {{"no_reply_wait_ms", 0}, {"open_fails", openResult == 0}};
  config["faults"] = nlohmann::json::array();
  // The simulator counts exchanges from its configuration.
  for (const auto& [k, fault] : linkFaults_)
    if (k > exchangesAtConfig_)
      config["faults"].push_back({{"exchange", k - exchangesAtConfig_}, {"kind", FaultName(fault.first)},
                                  {"bytes", fault.second}});
  nlohmann::json sockets = nlohmann::json::array();
  for (std::size_t i = 0; i < kSockets; ++i) {
    const Chip& chip = chips[i];
    if (!chip.present) {
      sockets.push_back({{"socket", i}, {"empty", true}});
      continue;
    }
    sockets.push_back({{"socket", i},
                       {"chip_id", chip.chipId},
                       {"maker_id", chip.makerId},
                       {"device_id", chip.deviceId},
                       {"fail", socketFaults_[i]},
                       {"stuck_bits", StuckBits(chip.stuckBits)}});
  }
  config["chip"] = {{"sockets", sockets}};
  return config;
}

void SimChipWriter::ApplyLocked() {
  const std::uint32_t flashBytes = device_.flashSizeKb * 1024;
  std::array<std::vector<std::uint8_t>, kSockets> held;
  for (std::size_t i = 0; i < kSockets; ++i)
    held[i] = applied_ ? sim_.ReadSocketFlash(static_cast<int>(i), 0, flashBytes) : firstFlash_[i];
  ChipDeviceSpec spec;
  spec.chipId = device_.chipId;
  spec.flashMakerId = device_.flashMakerId;
  spec.flashDeviceId = device_.flashDeviceId;
  spec.sectorSizeKb = device_.sectorSizeKb;
  spec.flashSizeKb = device_.flashSizeKb;
  spec.extendedReadId = idForm == IdForm::Extended;
  exchangesAtConfig_ = exchanges_;
  sim_.SetFirmware(MakeChipImage(spec));
  sim_.Configure(ConfigLocked());
  // A new configuration starts with erased chips; they keep what they held.
  for (std::size_t i = 0; i < kSockets; ++i) sim_.WriteSocketFlash(static_cast<int>(i), 0, held[i]);
  applied_ = true;
  changed_ = false;
}

std::vector<std::vector<std::uint8_t>> SimChipWriter::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::vector<std::uint8_t> SimChipWriter::Codes() const {
  std::vector<std::uint8_t> codes;
  for (const auto& r : Requests()) codes.push_back(r[0]);
  return codes;
}

std::size_t SimChipWriter::CountOf(std::uint8_t code) const {
  const auto codes = Codes();
  return static_cast<std::size_t>(std::count(codes.begin(), codes.end(), code));
}

std::uint64_t SimChipWriter::Exchanges() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return exchanges_;
}

bool SimChipWriter::IsOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return open_;
}

int SimChipWriter::CloseCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closeCount_;
}

std::vector<std::uint8_t> SimChipWriter::Flash(std::size_t socket) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sim_.ReadSocketFlash(static_cast<int>(socket), 0, device_.flashSizeKb * 1024);
}

int SimChipWriter::OpenDevice(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  ApplyLocked();
  const int opened = sim_.Driver().OpenDevice(id);
  open_ = opened != 0;
  return opened;
}

void SimChipWriter::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
    ++closeCount_;
  }
  sim_.Driver().Close();
}

int SimChipWriter::Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) {
  std::uint64_t number = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    number = ++exchanges_;
  }
  if (onExchange) onExchange(number);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (changed_) {
      --exchanges_;  // the simulator counts this exchange as its first
      ApplyLocked();
      ++exchanges_;
    }
  }
  const int written = sim_.Driver().Write(buffer, length, sent, timeoutMs);
  if (written != 0) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.emplace_back(buffer, buffer + length);
  }
  return written;
}

int SimChipWriter::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) {
  return sim_.Driver().Read(buffer, capacity, received, timeoutMs);
}

}  // namespace vantrell::test
