#pragma once
// Replaces the writer's firmware by the selected device image, on the
// connection RUN opened: Update Start, Flash ID Read, Flash Erase, Flash
// Write, Flash Verify. Runs on a worker thread.
#include <cstdint>
#include <span>

#include "core/common/cancellation.h"

namespace vantrell {

class FirmwareUpdateView;
class Prompt;
class WriterLink;

struct FirmwareUpdate {
  static constexpr std::uint32_t kSectorBytes = 131072;
  static constexpr std::size_t kWritePiece = 32;
  static constexpr std::size_t kVerifyPiece = 62;

  WriterLink& link;
  Prompt& prompt;
  FirmwareUpdateView& view;
  std::span<const std::uint8_t> image;
  CancellationToken cancel;  // set when the main window goes away
};

// Sectors of the writer's flash an image of that size needs.
std::uint32_t SectorsFor(std::size_t imageBytes);

// True when the new firmware was written and verified. Closes the link at
// every end. After a cancellation it reports nothing and shows nothing more.
bool UpdateWriterFirmware(const FirmwareUpdate& update);

}  // namespace vantrell
