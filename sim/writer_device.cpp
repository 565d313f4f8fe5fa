#include "writer_device.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

#include "descriptor/firmware_descriptor.h"
#include "families/family_factory.h"
#include "sim_path.h"

namespace orbsim {
namespace {

SimConfig LoadConfigFile(const std::string& path, std::string& error) {
  std::ifstream in(SimPath(path));
  if (!in) return {};  // no file: the default writer, nothing to report
  try {
    return SimConfig::FromJson(nlohmann::json::parse(in));
  } catch (const std::exception& e) {
    error = "cannot use " + path + ": " + e.what() + "; running the default writer";
    std::fprintf(stderr, "OrbSim: %s\n", error.c_str());
    return {};
  }
}

}  // namespace

WriterDevice::WriterDevice() { ReloadFromStateDirectory(); }

void WriterDevice::ReloadFromStateDirectory() {
  std::lock_guard<std::mutex> lock(mutex_);
  store_ = std::make_unique<FirmwareStore>(StateDirectory());
  configError_.clear();
  ApplyConfig(LoadConfigFile(store_->ConfigPath(), configError_));
  std::vector<std::uint8_t> firmware;
  if (auto stored = store_->Load()) {
    firmware = std::move(*stored);
  } else if (!config_.initialFirmware.empty()) {
    if (auto initial = ReadWholeFile(config_.initialFirmware)) firmware = std::move(*initial);
  }
  InstallFirmware(std::move(firmware));
  open_ = false;
  toHost_.clear();
  arrived_.notify_all();
}

void WriterDevice::ApplyConfig(SimConfig config) {
  config_ = std::move(config);
  exchanges_ = 0;
  requestCounts_.clear();
}

void WriterDevice::InstallFirmware(std::vector<std::uint8_t> image) {
  const FirmwareStore* store = store_.get();
  writer_ = std::make_unique<WriterCommands>(config_, std::move(image), [this, store](const auto& firmware) {
    store->Save(firmware);
    ChooseFamily();
  });
  ChooseFamily();
}

void WriterDevice::ChooseFamily() {
  // The old family stores its state before the new one reads it.
  family_.reset();
  family_ = MakeFamily(FirmwareDescriptor::Decode(writer_->Firmware()), config_, store_->Directory());
}

bool WriterDevice::Configure(const std::string& json, std::string& error) {
  SimConfig parsed;
  try {
    parsed = SimConfig::FromJson(nlohmann::json::parse(json));
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  ApplyConfig(std::move(parsed));
  ChooseFamily();
  toHost_.clear();
  return true;
}

void WriterDevice::SetFirmware(std::vector<std::uint8_t> image) {
  std::lock_guard<std::mutex> lock(mutex_);
  store_->Save(image);
  writer_->SetFirmware(std::move(image));
  ChooseFamily();
}

int WriterDevice::OpenDevice(int) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (config_.openFails) return 0;
  open_ = true;
  toHost_.clear();
  if (config_.staleInputOnOpen > 0) QueueStale(config_.staleInputOnOpen);
  return 1;
}

int WriterDevice::Close() {
  std::string statusPath;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
    toHost_.clear();
    arrived_.notify_all();
    if (config_.writeStatus) statusPath = store_->Directory() + "/status.json";
  }
  // What another process (a program under test) did, for whoever looks after it.
  if (!statusPath.empty()) std::ofstream(SimPath(statusPath), std::ios::trunc) << StatusJson();
  return 1;
}

int WriterDevice::Write(const std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t) {
  if (sent) *sent = 0;
  if (buffer == nullptr || length == 0) return 0;
  // The reply is due a fixed time after its request arrived, however long
  // the answer takes to work out here.
  const auto arrived = std::chrono::steady_clock::now();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_) return 0;
    const LinkFault* fault = config_.FaultAt(++exchanges_);
    if (fault && fault->kind == FaultKind::SendFails) return 0;
    ++requestCounts_[buffer[0]];
    // A firmware takes exactly code, length and that many payload bytes;
    // anything else is refused.
    Answer answer;
    if (length < 2 || length > kPacketSize || buffer[1] != length - 2) {
      answer = Reply::Refused(buffer[0]);
    } else {
      answer = Dispatch(Request{buffer[0], std::span<const std::uint8_t>(buffer + 2, length - 2)});
    }
    if (fault && fault->kind == FaultKind::StaleInput) QueueStale(kPacketSize);
    if (answer && !(fault && fault->kind == FaultKind::NoReply)) Queue(*answer, fault, arrived);
  }
  if (sent) *sent = length;
  return 1;
}

Answer WriterDevice::Dispatch(const Request& request) {
  if (writer_->Serves(request.code)) return writer_->Handle(request);
  if (family_ && family_->Serves(request.code)) return family_->Handle(request);
  return Reply::Refused(request.code);
}

void WriterDevice::Queue(const Reply& reply, const LinkFault* fault, std::chrono::steady_clock::time_point arrived) {
  Pending p;
  p.bytes.assign(reply.bytes.begin(), reply.bytes.begin() + static_cast<std::ptrdiff_t>(reply.count));
  if (fault && fault->kind == FaultKind::ShortReply) p.bytes.resize(std::min<std::size_t>(fault->bytes, p.bytes.size()));
  if (fault && fault->kind == FaultKind::WrongEcho && !p.bytes.empty()) p.bytes[0] ^= 0xFF;
  p.readyAt = arrived + std::chrono::microseconds(config_.latencyUs) + std::chrono::milliseconds(reply.delayMs);
  toHost_.push_back(std::move(p));
  arrived_.notify_all();
}

void WriterDevice::QueueStale(std::size_t bytes) {
  Pending p;
  p.bytes.assign(std::min(bytes, kPacketSize), 0xEE);
  p.readyAt = std::chrono::steady_clock::now();
  toHost_.push_back(std::move(p));
  arrived_.notify_all();
}

std::chrono::milliseconds WriterDevice::ReadWait(std::uint32_t timeoutMs) const {
  // Nothing queued means no reply is coming; tests may cap that wait.
  std::uint32_t wait = timeoutMs;
  if (toHost_.empty() && config_.noReplyWaitMs) wait = std::min(wait, *config_.noReplyWaitMs);
  return std::chrono::milliseconds(wait);
}

int WriterDevice::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) {
  if (received) *received = 0;
  std::unique_lock<std::mutex> lock(mutex_);
  if (!open_ || buffer == nullptr) return 0;
  const auto deadline = std::chrono::steady_clock::now() + ReadWait(timeoutMs);
  for (;;) {
    if (!open_) return 0;  // closed from another thread
    const auto now = std::chrono::steady_clock::now();
    if (!toHost_.empty() && toHost_.front().readyAt <= now) break;
    if (now >= deadline) return 0;
    const auto until = toHost_.empty() ? deadline : std::min(deadline, toHost_.front().readyAt);
    WaitUntil(lock, until);
  }
  Pending p = std::move(toHost_.front());
  toHost_.pop_front();
  const std::size_t n = std::min<std::size_t>(p.bytes.size(), capacity);
  std::copy_n(p.bytes.begin(), n, buffer);
  if (received) *received = static_cast<std::uint32_t>(n);
  return 1;
}

void WriterDevice::WaitUntil(std::unique_lock<std::mutex>& lock, std::chrono::steady_clock::time_point until) {
  // A timed wait wakes up to some tens of microseconds late; at per-exchange
  // latencies of about 100 us that would be a large error. The last stretch
  // is waited out by yielding.
  constexpr auto kSlack = std::chrono::microseconds(80);
  if (until - std::chrono::steady_clock::now() > kSlack) {
    arrived_.wait_until(lock, until - kSlack);
    return;
  }
  lock.unlock();
  std::this_thread::yield();
  lock.lock();
}

std::string WriterDevice::StatusJson() const {
  std::lock_guard<std::mutex> lock(mutex_);
  nlohmann::json j;
  j["open"] = open_;
  j["exchanges"] = exchanges_;
  j["state_dir"] = store_->Directory();
  j["config_error"] = configError_;
  const auto header = ImageHeader::Of(writer_->Firmware());
  j["firmware"] = {{"number", header ? header->number : WriterCommands::kBlankNumber},
                   {"version", header ? header->version : 0},
                   {"size", writer_->Firmware().size()}};
  j["update"] = {{"written", writer_->BytesWritten()}, {"verified", writer_->BytesVerified()}};
  j["family"] = family_ ? "active" : "none";
  j["requests"] = nlohmann::json::object();
  for (const auto& [code, count] : requestCounts_) {
    char key[8];
    std::snprintf(key, sizeof key, "0x%02X", code);
    j["requests"][key] = count;
  }
  return j.dump();
}

void WriterDevice::VisitFamily(const std::function<void(CommandFamily*)>& visit) {
  std::lock_guard<std::mutex> lock(mutex_);
  visit(family_.get());
}

WriterDevice& TheWriter() {
  static WriterDevice writer;
  return writer;
}

}  // namespace orbsim
