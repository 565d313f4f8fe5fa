#pragma once
// The firmware of a NAND device: it manages the NAND flash of the target
// board block by block.
//
// Every command but NDFL Program Start is refused outside an NDFL Program
// Start .. End bracket, and brackets do not nest. Block numbers past the
// flash get the state 0xFF, bad blocks 0xFE (erase and both selects). Write
// Data fills the block Write Block Number selected, never past its end; the
// empty Write Data is taken only right after a packet of exactly 62 bytes,
// and nothing is taken after a short or empty packet. Read Data returns the
// block Read Block Number selected, in order, 62 bytes a reply (count 0
// once the block is drained). The bad block table is served 15 entries a
// reply from the start of each bracket.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "descriptor/firmware_descriptor.h"
#include "families/command_family.h"
#include "families/nand/nand_board.h"
#include "families/nand/nand_config.h"

namespace orbsim {

class NandFamily final : public CommandFamily {
 public:
  // The board's geometry, bad blocks, FAT start block and name come from the
  // descriptor unless the configuration replaces them; the board is kept in
  // stateDirectory/nand.
  static std::unique_ptr<NandFamily> Make(const FirmwareDescriptor& descriptor, const NandConfig& config,
                                          const std::string& stateDirectory);
  NandFamily(std::unique_ptr<NandBoard> board, std::string name, NandConfig config);

  bool Serves(std::uint8_t code) const override;
  Answer Handle(const Request& request) override;

  NandBoard& Board() { return *board_; }
  // Geometry, name, bracket, bad blocks, FAT start block and stored blocks, for tests.
  nlohmann::json StatusJson() const;

 private:
  // What the firmware remembers between the requests of one bracket.
  struct Bracket {
    bool open = false;
    std::optional<std::uint32_t> writeBlock;
    std::uint32_t writeOffset = 0;
    bool lastPacketFull = false;
    bool writeEnded = false;  // a short or empty packet ended the block's data
    std::optional<std::uint32_t> readBlock;
    std::uint32_t readOffset = 0;
    std::size_t tableNext = 0;  // next entry of the bad block table to serve
  };

  Answer Dispatch(const Request& r);
  Answer Start(const Request& r);
  Answer End(const Request& r);
  Answer Information(const Request& r) const;
  Answer BadBlockCount(const Request& r) const;
  Answer BadBlockInformation(const Request& r);
  Answer SelectRead(const Request& r);
  Answer ReadData(const Request& r);
  Answer FatStart(const Request& r) const;
  Answer Erase(const Request& r);
  Answer SelectWrite(const Request& r);
  Answer WriteData(const Request& r);
  Answer SetFatStart(const Request& r);

  // The state a block command gets for block, 0 when it may go on.
  std::uint8_t BlockState(std::uint32_t block) const;
  bool WearsOut(std::uint32_t block, std::uint64_t erase) const;
  static Reply Number(std::uint8_t code, std::uint32_t value);

  std::unique_ptr<NandBoard> board_;
  std::string name_;
  NandConfig config_;
  Bracket bracket_;
  std::map<std::uint32_t, std::uint64_t> erases_;  // per block, since configuration
  std::uint64_t tableReplies_ = 0;                  // since configuration
};

}  // namespace orbsim
