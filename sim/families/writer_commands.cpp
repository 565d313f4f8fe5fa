#include "families/writer_commands.h"

#include <algorithm>

#include "descriptor/firmware_descriptor.h"
#include "sim_config.h"

namespace orbsim {

WriterCommands::WriterCommands(const SimConfig& config, std::vector<std::uint8_t> firmware, FirmwareChanged onChange)
    : config_(config), firmware_(std::move(firmware)), onChange_(std::move(onChange)) {}

void WriterCommands::SetFirmware(std::vector<std::uint8_t> image) {
  firmware_ = std::move(image);
  phase_ = Phase::Idle;
  flash_.clear();
  writePtr_ = verifyPtr_ = 0;
  lastPieceSeen_ = false;
}

Answer WriterCommands::Handle(const Request& r) {
  switch (r.code) {
    case 0xF0: return Identify(r);
    case 0xF1: return Start(r);
    case 0xF2: return FlashId(r);
    case 0xF3: return Erase(r);
    case 0xF4: return WritePiece(r);
    case 0xF5: return Verify(r);
    default: return Reply::Refused(r.code);
  }
}

Answer WriterCommands::Identify(const Request& r) const {
  std::uint16_t number = kBlankNumber;
  std::uint16_t version = 0;
  if (auto header = ImageHeader::Of(firmware_)) {
    number = header->number;
    version = header->version;
  }
  const std::uint8_t data[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(version >> 8)};
  return Reply::Data(r.code, data);
}

Answer WriterCommands::Start(const Request& r) {
  if (!r.payload.empty()) return Reply::Status(r.code, kStateRefused);
  phase_ = Phase::Started;
  flash_.clear();
  writePtr_ = verifyPtr_ = 0;
  lastPieceSeen_ = false;
  return Reply::Status(r.code, 0);
}

Answer WriterCommands::FlashId(const Request& r) const {
  const std::uint8_t data[2] = {static_cast<std::uint8_t>(config_.boardFlashId),
                                static_cast<std::uint8_t>(config_.boardFlashId >> 8)};
  return Reply::Data(r.code, data);
}

Answer WriterCommands::Erase(const Request& r) {
  if (phase_ != Phase::Started || r.payload.size() != 4) return Reply::Status(r.code, kStateRefused);
  const std::uint32_t sectors = r.U32At(0);
  if (sectors > config_.boardFlashSectors) return Reply::Status(r.code, kStateRefused);
  // Erasing destroys the running firmware: until a new image is complete
  // the writer answers as a blank one.
  firmware_.clear();
  onChange_(firmware_);
  flash_.assign(static_cast<std::size_t>(sectors) * kSectorBytes, 0xFF);
  phase_ = Phase::Erased;
  return Reply::Status(r.code, 0);
}

Answer WriterCommands::WritePiece(const Request& r) {
  const std::size_t n = r.payload.size();
  const bool inOrder = phase_ == Phase::Erased && !lastPieceSeen_ && verifyPtr_ == 0;
  if (!inOrder || n == 0 || n > kWritePiece || writePtr_ + n > flash_.size()) return Reply::Status(r.code, kStateRefused);
  std::copy(r.payload.begin(), r.payload.end(), flash_.begin() + static_cast<std::ptrdiff_t>(writePtr_));
  writePtr_ += n;
  if (n < kWritePiece) lastPieceSeen_ = true;  // a short piece is always the last one
  return Reply::Status(r.code, 0);
}

Answer WriterCommands::Verify(const Request& r) {
  if (phase_ != Phase::Erased || writePtr_ == 0 || r.payload.size() != 1) return Reply::Refused(r.code);
  const std::size_t m = r.payload[0];
  if (m == 0 || m > kMaxPayload || verifyPtr_ + m > flash_.size()) return Reply::Refused(r.code);
  Reply reply = Reply::Data(r.code, std::span<const std::uint8_t>(flash_).subspan(verifyPtr_, m));
  verifyPtr_ += m;
  ActivateWhenComplete();
  return reply;
}

void WriterCommands::ActivateWhenComplete() {
  if (verifyPtr_ < writePtr_ || writePtr_ < 4) return;
  std::vector<std::uint8_t> image(flash_.begin(), flash_.begin() + static_cast<std::ptrdiff_t>(writePtr_));
  // An image that declares its own size must have arrived whole.
  if (auto d = FirmwareDescriptor::Decode(image); d && d->imageSize != image.size()) return;
  firmware_ = std::move(image);
  phase_ = Phase::Written;
  flash_.clear();
  onChange_(firmware_);
}

}  // namespace orbsim
