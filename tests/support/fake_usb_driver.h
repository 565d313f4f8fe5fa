#pragma once
// A scripted driver: records every call and answers from a queue.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/link/usb_driver.h"

namespace vantrell::test {

class FakeUsbDriver : public UsbDriver {
 public:
  struct ReadResult {
    int ret = 1;
    std::vector<std::uint8_t> bytes;
    std::uint32_t reportedCount = UINT32_MAX;  // UINT32_MAX: the size of bytes
  };

  int openResult = 1;
  int writeResult = 1;
  std::uint32_t writeCountOverride = UINT32_MAX;  // UINT32_MAX: the whole request
  std::deque<ReadResult> reads;
  // Answers reads once the scripted ones are used up, from the last request.
  std::function<ReadResult(const std::vector<std::uint8_t>& lastRequest)> responder;

  std::vector<std::string> calls;  // "Close", "OpenDevice(21)", "Write(2,7000)", "Read(64,100)"
  std::vector<std::vector<std::uint8_t>> written;

  int OpenDevice(int id) override;
  int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) override;
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) override;
  void Close() override { calls.push_back("Close"); }
};

}  // namespace vantrell::test
