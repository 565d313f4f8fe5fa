#include "families/nand/nand_family.h"

#include <algorithm>

#include "families/nand/nand_protocol.h"

namespace orbsim {

using namespace nand;

std::unique_ptr<NandFamily> NandFamily::Make(const FirmwareDescriptor& d, const NandConfig& config,
                                             const std::string& stateDirectory) {
  const NandGeometry geometry{config.blockSize.value_or(d.nandBlockSize), config.blockCount.value_or(d.nandBlockCount)};
  if (geometry.blockSize > NandConfig::kMaxBlockSize) return nullptr;
  auto board = std::make_unique<NandBoard>(geometry, config.badBlocks.value_or(d.badBlocks),
                                           config.fatStartBlock.value_or(d.nandFatStartBlock), stateDirectory + "/nand");
  return std::make_unique<NandFamily>(std::move(board), config.name.value_or(d.nandName), config);
}

NandFamily::NandFamily(std::unique_ptr<NandBoard> board, std::string name, NandConfig config)
    : board_(std::move(board)), name_(std::move(name)), config_(std::move(config)) {}

bool NandFamily::Serves(std::uint8_t code) const { return IsNandCode(code); }

Answer NandFamily::Handle(const Request& r) {
  Answer answer = Dispatch(r);
  if (answer) answer->delayMs = config_.replyDelayMs;
  return answer;
}

Answer NandFamily::Dispatch(const Request& r) {
  const auto fixed = FixedPayload(r.code);
  if (fixed ? r.payload.size() != *fixed : r.payload.size() > kMaxPayload) return Reply::Refused(r.code);
  if (r.code == kProgramStart) return Start(r);
  if (!bracket_.open) return Reply::Refused(r.code);
  switch (r.code) {
    case kProgramEnd: return End(r);
    case kReadInformation: return Information(r);
    case kReadBadBlockCount: return BadBlockCount(r);
    case kReadBadBlockInformation: return BadBlockInformation(r);
    case kReadBlockNumber: return SelectRead(r);
    case kReadData: return ReadData(r);
    case kReadFatStart: return FatStart(r);
    case kEraseBlock: return Erase(r);
    case kWriteBlockNumber: return SelectWrite(r);
    case kWriteData: return WriteData(r);
    case kWriteFatStart: return SetFatStart(r);
    default: return Reply::Refused(r.code);
  }
}

Answer NandFamily::Start(const Request& r) {
  if (bracket_.open) return Reply::Refused(r.code);
  bracket_ = Bracket{};
  bracket_.open = true;
  return Reply::Status(r.code, kStateDone);
}

Answer NandFamily::End(const Request& r) {
  board_->Flush();
  bracket_ = Bracket{};
  return Reply::Status(r.code, kStateDone);
}

Reply NandFamily::Number(std::uint8_t code, std::uint32_t value) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return Reply::Data(code, bytes);
}

// Block size, block count, then the name with its terminating zero.
Answer NandFamily::Information(const Request& r) const {
  std::vector<std::uint8_t> data;
  for (std::uint32_t v : {board_->Geometry().blockSize, board_->Geometry().blockCount})
    for (int s = 0; s < 32; s += 8) data.push_back(static_cast<std::uint8_t>(v >> s));
  data.insert(data.end(), name_.begin(), name_.end());
  data.push_back(0);
  Reply reply = Reply::Data(r.code, data);
  if (config_.informationCountByte) reply.bytes[1] = *config_.informationCountByte;
  return reply;
}

Answer NandFamily::BadBlockCount(const Request& r) const {
  return Number(r.code, static_cast<std::uint32_t>(board_->BadTable().size()));
}

Answer NandFamily::BadBlockInformation(const Request& r) {
  const auto& table = board_->BadTable();
  const std::size_t first = std::min(bracket_.tableNext, table.size());
  const std::size_t n = std::min(kBadBlocksPerReply, table.size() - first);
  std::vector<std::uint8_t> data;
  for (std::size_t i = first; i < first + n; ++i)
    for (int s = 0; s < 32; s += 8) data.push_back(static_cast<std::uint8_t>(table[i] >> s));
  bracket_.tableNext = first + n;
  Reply reply = Reply::Data(r.code, data);
  ++tableReplies_;
  for (const NandCountByteFault& f : config_.badBlockCountBytes)
    if (f.reply == tableReplies_) reply.bytes[1] = f.count;
  return reply;
}

std::uint8_t NandFamily::BlockState(std::uint32_t block) const {
  if (!board_->InFlash(block)) return kStateRefused;
  return board_->IsBad(block) ? kStateBadBlock : kStateDone;
}

Answer NandFamily::SelectRead(const Request& r) {
  const std::uint32_t block = r.U32At(0);
  const std::uint8_t state = BlockState(block);
  bracket_.readBlock.reset();
  if (state == kStateDone) {
    bracket_.readBlock = block;
    bracket_.readOffset = 0;
  }
  return Reply::Status(r.code, state);
}

Answer NandFamily::ReadData(const Request& r) {
  if (!bracket_.readBlock) return Reply::Refused(r.code);
  const std::uint32_t left = board_->Geometry().blockSize - bracket_.readOffset;
  std::vector<std::uint8_t> data(std::min<std::uint32_t>(left, kMaxPayload));
  board_->Read(*bracket_.readBlock, bracket_.readOffset, data);
  bracket_.readOffset += static_cast<std::uint32_t>(data.size());
  return Reply::Data(r.code, data);
}

Answer NandFamily::FatStart(const Request& r) const { return Number(r.code, board_->FatStartBlock()); }

bool NandFamily::WearsOut(std::uint32_t block, std::uint64_t erase) const {
  return std::any_of(config_.wearOut.begin(), config_.wearOut.end(),
                     [&](const NandWearOut& w) { return w.block == block && w.erase == erase; });
}

Answer NandFamily::Erase(const Request& r) {
  const std::uint32_t block = r.U32At(0);
  const std::uint8_t state = BlockState(block);
  if (state != kStateDone) return Reply::Status(r.code, state);
  if (WearsOut(block, ++erases_[block])) {
    board_->GoBad(block);
    return Reply::Status(r.code, kStateBadBlock);
  }
  board_->Erase(block);
  return Reply::Status(r.code, kStateDone);
}

Answer NandFamily::SelectWrite(const Request& r) {
  const std::uint32_t block = r.U32At(0);
  const std::uint8_t state = BlockState(block);
  board_->Flush();
  bracket_.writeBlock.reset();
  if (state == kStateDone) {
    bracket_.writeBlock = block;
    bracket_.writeOffset = 0;
    bracket_.lastPacketFull = false;
    bracket_.writeEnded = false;
  }
  return Reply::Status(r.code, state);
}

Answer NandFamily::WriteData(const Request& r) {
  const auto n = static_cast<std::uint32_t>(r.payload.size());
  if (!bracket_.writeBlock || bracket_.writeEnded) return Reply::Refused(r.code);
  if (n == 0) {
    if (!bracket_.lastPacketFull) return Reply::Refused(r.code);
    bracket_.writeEnded = true;
    return Reply::Status(r.code, kStateDone);
  }
  if (n > board_->Geometry().blockSize - bracket_.writeOffset) return Reply::Refused(r.code);
  board_->Program(*bracket_.writeBlock, bracket_.writeOffset, r.payload);
  bracket_.writeOffset += n;
  bracket_.lastPacketFull = n == kMaxPayload;
  bracket_.writeEnded = n < kMaxPayload;
  return Reply::Status(r.code, kStateDone);
}

Answer NandFamily::SetFatStart(const Request& r) {
  const std::uint32_t block = r.U32At(0);
  if (!board_->InFlash(block)) return Reply::Refused(r.code);
  board_->SetFatStartBlock(block);
  return Reply::Status(r.code, kStateDone);
}

nlohmann::json NandFamily::StatusJson() const {
  return {{"block_size", board_->Geometry().blockSize},
          {"block_count", board_->Geometry().blockCount},
          {"name", name_},
          {"open", bracket_.open},
          {"bad_blocks", board_->BadTable()},
          {"fat_start_block", board_->FatStartBlock()},
          {"stored_blocks", board_->StoredBlocks()}};
}

}  // namespace orbsim
