#pragma once
// What the fuzz targets share. Replies are made from the fuzzer's bytes with
// poison behind the bytes that "arrived": a parser that reads past what it
// received answers differently for different poison, which every target
// checks by running twice.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/link/packet.h"
#include "core/link/usb_driver.h"

#define FUZZ_CHECK(condition)                                                                      \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__);  \
      std::abort();                                                                                \
    }                                                                                              \
  } while (false)

namespace vantrell::fuzz {

inline constexpr std::uint8_t kPoisons[2] = {0x00, 0xA5};

// count bytes that arrived, the rest of the packet poison.
inline ReplyPacket PoisonedReply(std::span<const std::uint8_t> arrived, std::uint8_t poison) {
  ReplyPacket reply;
  reply.bytes.fill(poison);
  reply.count = std::min(arrived.size(), kPacketSize);
  std::copy_n(arrived.begin(), reply.count, reply.bytes.begin());
  return reply;
}

// The writer's replies, split from the fuzzer's bytes: a length (0 to 64),
// then that many bytes, again and again. A length of 0 is a read that fails.
inline std::vector<std::vector<std::uint8_t>> SplitReplies(FuzzedDataProvider& data) {
  std::vector<std::vector<std::uint8_t>> replies;
  while (data.remaining_bytes() > 0) {
    const auto length = data.ConsumeIntegralInRange<std::size_t>(0, kPacketSize);
    replies.push_back(data.ConsumeBytes<std::uint8_t>(length));
  }
  return replies;
}

// A writer that answers every request with the next scripted reply and
// scribbles poison over the rest of the caller's buffer, as a driver may.
// Once the script is used up every read fails.
class ScriptedWriter final : public UsbDriver {
 public:
  ScriptedWriter(const std::vector<std::vector<std::uint8_t>>& replies, std::uint8_t poison)
      : replies_(replies), poison_(poison) {}

  int OpenDevice(int) override { return 1; }
  int Write(std::uint8_t*, std::uint32_t length, std::uint32_t* sent, std::uint32_t) override {
    ++requests_;
    if (sent) *sent = length;
    return 1;
  }
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t) override {
    if (received) *received = 0;
    std::fill_n(buffer, capacity, poison_);
    if (next_ >= replies_.size()) return 0;
    const auto& reply = replies_[next_++];
    if (reply.empty()) return 0;
    const std::size_t n = std::min<std::size_t>(reply.size(), capacity);
    std::copy_n(reply.begin(), n, buffer);
    if (received) *received = static_cast<std::uint32_t>(n);
    return 1;
  }
  void Close() override {}

  std::size_t Requests() const { return requests_; }

 private:
  const std::vector<std::vector<std::uint8_t>>& replies_;
  std::uint8_t poison_;
  std::size_t next_ = 0;
  std::size_t requests_ = 0;
};

// A scratch file of this process in memory-backed storage when there is one.
inline std::string ScratchPath(const std::string& name) {
  static const std::string directory = [] {
    std::ofstream probe("/dev/shm/.vantrell-fuzz-probe");
    return std::string(probe ? "/dev/shm" : "/tmp");
  }();
  return directory + "/vantrell-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vantrell::fuzz
