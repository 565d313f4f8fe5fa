#include "core/platform/writer_claim.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <utility>

#if defined(_WIN32)
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "core/platform/utf8_path.h"
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace vantrell {
namespace {

constexpr const char* kDefaultClaimName = "vantrell-writer";

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
         c == '_';
}

enum class ClaimTry { Taken, HeldElsewhere, Unavailable };

#if defined(_WIN32)

using SystemClaim = HANDLE;
const SystemClaim kNoClaim = INVALID_HANDLE_VALUE;

// %ProgramData%\Vantrell, which every user of the machine can reach.
std::filesystem::path ClaimFolder() {
  wchar_t data[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"ProgramData", data, MAX_PATH);
  std::filesystem::path folder;
  if (length > 0 && length < MAX_PATH) {
    folder = std::filesystem::path(data) / L"Vantrell";
  } else {
    wchar_t temp[MAX_PATH + 1];
    const DWORD tempLength = GetTempPathW(MAX_PATH + 1, temp);
    if (tempLength == 0 || tempLength > MAX_PATH) return {};
    folder = std::filesystem::path(temp) / L"Vantrell";
  }
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

// Opened for reading and shared with nobody: while this handle lives, every
// other open of the file fails with a sharing violation, whoever tries.
ClaimTry TakeSystemClaim(const std::string& name, SystemClaim& claim) {
  const std::filesystem::path folder = ClaimFolder();
  if (folder.empty()) return ClaimTry::Unavailable;
  const std::filesystem::path file = folder / Utf8Path(name + ".lock");
  claim = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (claim != INVALID_HANDLE_VALUE) return ClaimTry::Taken;
  return GetLastError() == ERROR_SHARING_VIOLATION ? ClaimTry::HeldElsewhere : ClaimTry::Unavailable;
}

void ReleaseSystemClaim(SystemClaim claim) { CloseHandle(claim); }

#else

using SystemClaim = int;
constexpr SystemClaim kNoClaim = -1;

// A name in the abstract socket namespace: bound by one socket at a time,
// machine-wide, with nothing on disk.
ClaimTry TakeSystemClaim(const std::string& name, SystemClaim& claim) {
  claim = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (claim < 0) return ClaimTry::Unavailable;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string abstractName = "vantrell/" + name;
  const std::size_t length = std::min(abstractName.size(), sizeof(address.sun_path) - 1);
  std::memcpy(address.sun_path + 1, abstractName.data(), length);
  const auto addressLength = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  if (bind(claim, reinterpret_cast<const sockaddr*>(&address), addressLength) == 0) return ClaimTry::Taken;
  const int error = errno;
  close(std::exchange(claim, kNoClaim));
  return error == EADDRINUSE ? ClaimTry::HeldElsewhere : ClaimTry::Unavailable;
}

void ReleaseSystemClaim(SystemClaim claim) { close(claim); }

#endif

// The one system claim of this process, shared by its holders.
struct ProcessClaim {
  std::mutex mutex;
  int holders = 0;
  SystemClaim claim = kNoClaim;
};

ProcessClaim& TheProcessClaim() {
  static ProcessClaim process;
  return process;
}

}  // namespace

std::string WriterClaimName() {
  const char* configured = std::getenv(kWriterClaimVariable);
  if (configured == nullptr || *configured == '\0') return kDefaultClaimName;
  const std::string name(configured);
  for (char c : name) {
    if (!IsNameCharacter(c)) return kDefaultClaimName;
  }
  return name;
}

std::optional<WriterClaim> WriterClaim::TryTake() {
  ProcessClaim& process = TheProcessClaim();
  std::lock_guard<std::mutex> lock(process.mutex);
  if (process.holders == 0 && TakeSystemClaim(WriterClaimName(), process.claim) == ClaimTry::HeldElsewhere) {
    return std::nullopt;
  }
  ++process.holders;
  WriterClaim claim;
  claim.held_ = true;
  return claim;
}

WriterClaim::WriterClaim(WriterClaim&& other) noexcept : held_(std::exchange(other.held_, false)) {}

WriterClaim& WriterClaim::operator=(WriterClaim&& other) noexcept {
  if (this != &other) {
    Release();
    held_ = std::exchange(other.held_, false);
  }
  return *this;
}

WriterClaim::~WriterClaim() { Release(); }

void WriterClaim::Release() {
  if (!std::exchange(held_, false)) return;
  ProcessClaim& process = TheProcessClaim();
  std::lock_guard<std::mutex> lock(process.mutex);
  if (--process.holders == 0 && process.claim != kNoClaim) ReleaseSystemClaim(std::exchange(process.claim, kNoClaim));
}

}  // namespace vantrell
