#include "sim_config.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "families/chip/chip_config.h"
#include "families/nand/nand_config.h"
#include "sim_path.h"

namespace orbsim {
namespace {

FaultKind ParseFaultKind(const std::string& s) {
  if (s == "send_fails") return FaultKind::SendFails;
  if (s == "no_reply") return FaultKind::NoReply;
  if (s == "short_reply") return FaultKind::ShortReply;
  if (s == "wrong_echo") return FaultKind::WrongEcho;
  if (s == "stale_input") return FaultKind::StaleInput;
  throw std::invalid_argument("unknown fault kind \"" + s + "\"");
}

#if defined(_WIN32)
// The file of the module holding this code (the library, or a test program
// linking the engine), asked with a buffer that grows until the whole path fits.
std::string LibraryDirectory() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&StateDirectory), &self)) {
    return ".";
  }
  std::wstring file(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(self, file.data(), static_cast<DWORD>(file.size()));
    if (n == 0) return ".";
    if (n < file.size()) {
      file.resize(n);
      break;
    }
    file.resize(file.size() * 2);
  }
  return vantrell::PathUtf8(std::filesystem::path(file).parent_path());
}

// From the process environment itself, which both _wputenv and
// SetEnvironmentVariableW change.
std::string EnvironmentStateDirectory() {
  const DWORD size = GetEnvironmentVariableW(L"ORBSIM_STATE_DIR", nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD n = GetEnvironmentVariableW(L"ORBSIM_STATE_DIR", value.data(), size);
  if (n == 0 || n >= size) return {};
  value.resize(n);
  return vantrell::Utf8FromWide(value);
}
#else
std::string LibraryDirectory() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&StateDirectory), &info) == 0 || info.dli_fname == nullptr) return ".";
  return std::filesystem::path(info.dli_fname).parent_path().string();
}

std::string EnvironmentStateDirectory() {
  const char* env = std::getenv("ORBSIM_STATE_DIR");
  return env != nullptr ? std::string(env) : std::string();
}
#endif

}  // namespace

SimConfig SimConfig::FromJson(const nlohmann::json& j) {
  if (!j.is_object()) throw std::invalid_argument("the configuration must be a JSON object");
  SimConfig c;
  c.initialFirmware = j.value("initial_firmware", c.initialFirmware);
  c.boardFlashId = j.value("board_flash_id", c.boardFlashId);
  c.boardFlashSectors = j.value("board_flash_sectors", c.boardFlashSectors);
  // Microseconds when given, else milliseconds.
  c.latencyUs = j.contains("latency_us") ? j.at("latency_us").get<std::uint32_t>()
                                         : j.value("latency_ms", 0u) * 1000u;
  if (j.contains("no_reply_wait_ms")) c.noReplyWaitMs = j.at("no_reply_wait_ms").get<std::uint32_t>();
  c.staleInputOnOpen = j.value("stale_input_on_open", c.staleInputOnOpen);
  c.openFails = j.value("open_fails", c.openFails);
  c.writeStatus = j.value("write_status", c.writeStatus);
  for (const auto& f : j.value("faults", nlohmann::json::array())) {
    LinkFault fault;
    fault.exchange = f.at("exchange").get<std::uint64_t>();
    fault.kind = ParseFaultKind(f.at("kind").get<std::string>());
    fault.bytes = f.value("bytes", 0u);
    c.faults.push_back(fault);
  }
  for (const char* family : {"chip", "nand"}) {
    if (j.contains(family)) c.families[family] = j.at(family);
  }
  // A bad family section is refused here, with its reason.
  if (j.contains("chip")) ChipConfig::FromJson(j.at("chip"));
  if (j.contains("nand")) NandConfig::FromJson(j.at("nand"));
  return c;
}

const LinkFault* SimConfig::FaultAt(std::uint64_t exchange) const {
  for (const auto& f : faults)
    if (f.exchange == exchange) return &f;
  return nullptr;
}

std::string StateDirectory() {
  if (std::string env = EnvironmentStateDirectory(); !env.empty()) return env;
  return LibraryDirectory() + "/OrbSimState";
}

}  // namespace orbsim
