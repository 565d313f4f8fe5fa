#include "support/fake_usb_driver.h"

#include <algorithm>

namespace vantrell::test {

int FakeUsbDriver::OpenDevice(int id) {
  calls.push_back("OpenDevice(" + std::to_string(id) + ")");
  return openResult;
}

int FakeUsbDriver::Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) {
  calls.push_back("Write(" + std::to_string(length) + "," + std::to_string(timeoutMs) + ")");
  written.emplace_back(buffer, buffer + length);
  *sent = writeCountOverride == UINT32_MAX ? length : writeCountOverride;
  return writeResult;
}

int FakeUsbDriver::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) {
  calls.push_back("Read(" + std::to_string(capacity) + "," + std::to_string(timeoutMs) + ")");
  *received = 0;
  ReadResult r;
  if (!reads.empty()) {
    r = reads.front();
    reads.pop_front();
  } else if (responder && !written.empty()) {
    r = responder(written.back());
  } else {
    return 0;
  }
  std::copy_n(r.bytes.begin(), std::min<std::size_t>(r.bytes.size(), capacity), buffer);
  *received = r.reportedCount == UINT32_MAX ? static_cast<std::uint32_t>(r.bytes.size()) : r.reportedCount;
  return r.ret;
}

}  // namespace vantrell::test
