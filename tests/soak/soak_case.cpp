#include "soak/soak_case.h"

#include "soak/soak_random.h"

namespace vantrell::soak {
namespace {

constexpr const char* kLinkFaultKinds[] = {"send_fails", "no_reply", "short_reply", "wrong_echo", "stale_input"};
constexpr const char* kFailingCommands[] = {"erase_enable", "sector_erase", "blank_check",  "program_enable",
                                            "auto_address", "auto_program", "verify_data", "verify_end",
                                            "program_disable", "comm_end"};

int Socket(std::mt19937_64& rng) { return std::uniform_int_distribution<int>(0, 6)(rng); }

RunOptions DrawOptions(std::mt19937_64& rng) {
  RunOptions o;
  o.eraseAll = Chance(rng, 0.15);
  o.erase = !o.eraseAll && Chance(rng, 0.7);
  o.blank = Chance(rng, 0.3);
  o.program = Chance(rng, 0.8);
  o.verify = Chance(rng, 0.7);
  return o;
}

// A bit stuck at 1 where the file holds a 0, so the chip cannot hold the file.
nlohmann::json StuckBitUnder(const std::vector<std::uint8_t>& file, std::uint32_t fileOffset, std::mt19937_64& rng) {
  for (int tries = 0; tries < 64; ++tries) {
    const auto at = std::uniform_int_distribution<std::size_t>(0, file.size() - 1)(rng);
    const int bit = std::uniform_int_distribution<int>(0, 7)(rng);
    if (!(file[at] & (1 << bit))) return {{"offset", fileOffset + at}, {"bit", bit}, {"value", 1}};
  }
  return {{"offset", fileOffset}, {"bit", 0}, {"value", 1}};
}

}  // namespace

void DrawLinkFault(std::mt19937_64& rng, std::uint64_t maxExchange, SoakCase& c) {
  LinkFaultPlan f;
  f.exchange = std::uniform_int_distribution<std::uint64_t>(1, maxExchange)(rng);
  f.kind = Pick(rng, kLinkFaultKinds);
  f.bytes = std::uniform_int_distribution<std::uint32_t>(0, 40)(rng);
  c.linkFault = f;
  nlohmann::json fault = {{"exchange", f.exchange}, {"kind", f.kind}};
  if (f.kind == "short_reply") fault["bytes"] = f.bytes;
  c.config["faults"] = nlohmann::json::array({fault});
}

SoakCase DrawCase(std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  SoakCase c;
  c.seed = seed;
  c.config = {{"no_reply_wait_ms", 2}};
  if (Chance(rng, 0.3)) {
    c.operation = static_cast<Operation>(static_cast<int>(Operation::NandRefresh) +
                                         std::uniform_int_distribution<int>(0, 5)(rng));
    DrawNandPlan(rng, c);
    return c;
  }
  c.operation = static_cast<Operation>(std::uniform_int_distribution<int>(0, 11)(rng) % 6);
  if (std::uniform_int_distribution<int>(0, 9)(rng) >= 5) c.operation = Operation::Download;
  c.options = DrawOptions(rng);
  c.checkSum = Chance(rng, 0.7);
  c.file.resize(std::uniform_int_distribution<std::size_t>(1, 2500)(rng));
  for (auto& b : c.file) b = static_cast<std::uint8_t>(rng());

  if (Chance(rng, 0.5)) DrawLinkFault(rng, 90, c);
  nlohmann::json sockets = nlohmann::json::array();
  std::vector<int> taken;
  auto freeSocket = [&]() -> std::optional<int> {
    const int s = Socket(rng);
    for (int t : taken)
      if (t == s) return std::nullopt;
    taken.push_back(s);
    return s;
  };
  if (Chance(rng, 0.35)) {
    if ((c.failingSocket = freeSocket())) {
      const int use = std::uniform_int_distribution<int>(1, 3)(rng);
      c.failingCommand = Pick(rng, kFailingCommands);
      sockets.push_back({{"socket", *c.failingSocket},
                         {"fail", {{{"command", c.failingCommand}, {"use", use}, {"status", 1}}}}});
    }
  }
  if (Chance(rng, 0.35)) {
    if ((c.stuckSocket = freeSocket()))
      sockets.push_back({{"socket", *c.stuckSocket}, {"stuck_bits", {StuckBitUnder(c.file, 1024, rng)}}});
  }
  if (Chance(rng, 0.1)) {
    if ((c.emptySocket = freeSocket())) sockets.push_back({{"socket", *c.emptySocket}, {"empty", true}});
  }
  if (Chance(rng, 0.1)) {
    if ((c.wrongIdSocket = freeSocket())) sockets.push_back({{"socket", *c.wrongIdSocket}, {"chip_id", 0x11}});
  }
  if (!sockets.empty()) c.config["chip"] = {{"sockets", sockets}};
  return c;
}

std::string SoakCase::Describe() const {
  static constexpr const char* kNames[] = {"identify",      "firmware update", "download",       "blank check",
                                          "erase all",     "read master",     "nand refresh",   "nand read bad block",
                                          "nand download", "nand erase",      "nand erase all", "nand read block"};
  const std::string name = kNames[static_cast<int>(operation)];
  if (IsNand(operation)) return name + ", " + nand.Describe() + ", simulator " + config.dump();
  std::string text = name + ", file " + std::to_string(file.size()) +
                     " bytes, options e" + std::to_string(options.erase) + "a" + std::to_string(options.eraseAll) +
                     "b" + std::to_string(options.blank) + "p" + std::to_string(options.program) + "v" +
                     std::to_string(options.verify) + ", checksum " + std::to_string(checkSum) + ", simulator " +
                     config.dump();
  return text;
}

}  // namespace vantrell::soak
