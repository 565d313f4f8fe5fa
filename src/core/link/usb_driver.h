#pragma once
// The four entry points of the writer's USB bulk driver library. The real
// library, the bundled writer simulator and test fakes all sit behind this.
#include <cstdint>

namespace vantrell {

class UsbDriver {
 public:
  virtual ~UsbDriver() = default;
  // Nonzero: the writer is open.
  virtual int OpenDevice(int id) = 0;
  // Nonzero with *sent > 0: the request went out.
  virtual int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) = 0;
  // Nonzero with *received > 0: a reply of that many bytes is in the buffer.
  virtual int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) = 0;
  // Harmless when nothing is open; ends a Read blocked in another thread.
  virtual void Close() = 0;
};

}  // namespace vantrell
