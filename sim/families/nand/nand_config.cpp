#include "families/nand/nand_config.h"

#include <string>

#include "families/config_checks.h"

namespace orbsim {
namespace {

using nlohmann::json;

constexpr std::string_view kSection = "nand";
// The name must leave room for the geometry in one 62-byte reply.
constexpr std::size_t kMaxNameLength = 53;

std::uint32_t Word(const json& j, const char* key, const std::string& where, std::uint64_t max = UINT32_MAX) {
  return static_cast<std::uint32_t>(config::Unsigned(kSection, j, key, max, where));
}

NandWearOut ParseWearOut(const json& j, const std::string& where) {
  config::CheckKeys(kSection, j, where, {"block", "erase"});
  NandWearOut w;
  w.block = Word(j, "block", where);
  w.erase = config::Unsigned(kSection, j, "erase", UINT64_MAX, where);
  if (w.erase == 0) config::Refuse(kSection, where, "\"erase\" counts from 1");
  return w;
}

NandCountByteFault ParseCountByte(const json& j, const std::string& where) {
  config::CheckKeys(kSection, j, where, {"reply", "count"});
  NandCountByteFault f;
  f.reply = config::Unsigned(kSection, j, "reply", UINT64_MAX, where);
  if (f.reply == 0) config::Refuse(kSection, where, "\"reply\" counts from 1");
  f.count = static_cast<std::uint8_t>(config::Unsigned(kSection, j, "count", 0xFF, where));
  return f;
}

}  // namespace

NandConfig NandConfig::FromJson(const json& section) {
  NandConfig c;
  if (section.is_null()) return c;
  const std::string where = "section";
  config::CheckKeys(kSection, section, where,
                    {"block_size", "block_count", "bad_blocks", "fat_start_block", "name", "wear_out",
                     "bad_block_count_byte", "information_count_byte", "reply_delay_ms"});
  if (section.contains("block_size")) c.blockSize = Word(section, "block_size", where, kMaxBlockSize);
  if (section.contains("block_count")) c.blockCount = Word(section, "block_count", where);
  if (section.contains("bad_blocks")) {
    c.badBlocks = config::ParseList(kSection, section, "bad_blocks", where, [](const json& b, const std::string& w) {
      if (!b.is_number_unsigned() || b.get<std::uint64_t>() > UINT32_MAX)
        config::Refuse(kSection, w, "a bad block is a block number");
      return b.get<std::uint32_t>();
    });
  }
  if (section.contains("fat_start_block")) c.fatStartBlock = Word(section, "fat_start_block", where);
  if (section.contains("name")) {
    const json& name = section.at("name");
    if (!name.is_string() || name.get<std::string>().size() > kMaxNameLength)
      config::Refuse(kSection, where, "\"name\" must be a text of at most 53 bytes");
    c.name = name.get<std::string>();
  }
  if (section.contains("wear_out")) c.wearOut = config::ParseList(kSection, section, "wear_out", where, ParseWearOut);
  if (section.contains("bad_block_count_byte"))
    c.badBlockCountBytes = config::ParseList(kSection, section, "bad_block_count_byte", where, ParseCountByte);
  if (section.contains("information_count_byte"))
    c.informationCountByte = static_cast<std::uint8_t>(Word(section, "information_count_byte", where, 0xFF));
  if (section.contains("reply_delay_ms")) c.replyDelayMs = Word(section, "reply_delay_ms", where, 600000);
  return c;
}

}  // namespace orbsim
