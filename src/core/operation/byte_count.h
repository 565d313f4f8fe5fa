#pragma once
// How many bytes a stage has moved so far, as the progress texts show it:
// "Write: 5000/5000[byte]". Workers hand the numbers over at every packet;
// the text is made only when a window gets to show it.
#include <cstdint>
#include <string>

namespace vantrell {

struct ByteCount {
  const char* label = "";  // "Write" or "Verify": a text that lives for the whole program
  std::uint64_t done = 0;
  std::uint64_t total = 0;

  std::string Text() const;
};

}  // namespace vantrell
