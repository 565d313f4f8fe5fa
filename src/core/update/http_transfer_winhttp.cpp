#include "core/update/http_transfer_winhttp.h"

// clang-format off
#include <windows.h>
#include <winhttp.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <optional>
#include <vector>

#include "core/platform/utf8_path.h"

namespace vantrell {
namespace {

using Clock = std::chrono::steady_clock;

struct HandleCloser {
  void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr DWORD kWholeComponent = static_cast<DWORD>(-1);

// What WinHTTP connects to and asks for.
struct Address {
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring path;  // with the query, without a fragment
  bool secure = false;
};

std::wstring Component(const wchar_t* text, DWORD length) { return text ? std::wstring(text, length) : std::wstring(); }

// An HTTP or HTTPS address with a host; nothing for any other.
std::optional<Address> CrackAddress(const std::wstring& url) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwSchemeLength = kWholeComponent;
  parts.dwHostNameLength = kWholeComponent;
  parts.dwUrlPathLength = kWholeComponent;
  parts.dwExtraInfoLength = kWholeComponent;
  if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return std::nullopt;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
  Address address;
  address.host = Component(parts.lpszHostName, parts.dwHostNameLength);
  address.port = parts.nPort;
  address.path = Component(parts.lpszUrlPath, parts.dwUrlPathLength) +
                 Component(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  address.path = address.path.substr(0, address.path.find(L'#'));
  if (address.path.empty()) address.path = L"/";
  address.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  if (address.host.empty()) return std::nullopt;
  return address;
}

// The whole-transfer limit. Every call that can wait is given at most what
// is left of it.
class Deadline {
 public:
  explicit Deadline(long limitMs) : bounded_(limitMs > 0), end_(Clock::now() + std::chrono::milliseconds(limitMs)) {}

  // WinHTTP's own timer may fire a little before ours would say so.
  bool Passed() const { return bounded_ && Clock::now() + std::chrono::milliseconds(50) >= end_; }

  // The longest a call may wait: capMs (none when 0) or what is left,
  // whichever is less; -1 for no limit at all.
  int WaitMs(long capMs) const {
    long wait = capMs > 0 ? capMs : -1;
    if (bounded_) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
      const long leftMs = static_cast<long>(std::max<long long>(left, 1));
      wait = wait < 0 ? leftMs : std::min(wait, leftMs);
    }
    return static_cast<int>(wait);
  }

 private:
  bool bounded_;
  Clock::time_point end_;
};

// Sets WinHTTP's time-outs for the next call: the connection's from the
// connect limit, the receiving's from the stall limit, both within the
// deadline.
bool BoundWaits(HINTERNET request, const FetchLimits& limits, const Deadline& deadline) {
  const int connectMs = deadline.WaitMs(limits.connectTimeoutMs);
  const int receiveMs = deadline.WaitMs(limits.stallTimeoutSeconds * 1000);
  if (!WinHttpSetTimeouts(request, connectMs, connectMs, receiveMs, receiveMs)) return false;
  // The wait for the answer's headers has a time-out of its own, where
  // WinHTTP knows it; where not, the receive time-out bounds it.
  DWORD responseMs = receiveMs < 0 ? INFINITE : static_cast<DWORD>(receiveMs);
  WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseMs, sizeof(responseMs));
  return true;
}

// Redirects as curl follows them: at most so many, HTTPS to HTTP allowed,
// never to another scheme (WinHTTP knows no other).
bool LimitRedirects(HINTERNET request, long maxRedirects) {
  if (maxRedirects <= 0) {
    DWORD disable = WINHTTP_DISABLE_REDIRECTS;
    return WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof(disable)) != FALSE;
  }
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_ALWAYS;
  DWORD most = static_cast<DWORD>(maxRedirects);
  return WinHttpSetOption(request, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof(policy)) &&
         WinHttpSetOption(request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &most, sizeof(most));
}

// One request per session: the connection is closed with it, not kept for
// another (nor any cookie).
bool CloseWhenDone(HINTERNET request) {
  DWORD disable = WINHTTP_DISABLE_KEEP_ALIVE | WINHTTP_DISABLE_COOKIES;
  return WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof(disable)) != FALSE;
}

long StatusOf(HINTERNET request) {
  DWORD status = 0;
  DWORD bytes = sizeof(status);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &bytes, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return static_cast<long>(status);
}

// The Content-Length, -1 when there is none.
std::int64_t AnnouncedLength(HINTERNET request) {
  wchar_t text[32] = L"";
  DWORD bytes = sizeof(text);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text, &bytes,
                           WINHTTP_NO_HEADER_INDEX)) {
    return -1;
  }
  wchar_t* end = nullptr;
  const long long length = std::wcstoll(text, &end, 10);
  return end == text || length < 0 ? -1 : length;
}

// A chunked body, which WinHTTP holds to its last chunk.
bool IsChunked(HINTERNET request) {
  wchar_t text[64] = L"";
  DWORD bytes = sizeof(text);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_TRANSFER_ENCODING, WINHTTP_HEADER_NAME_BY_INDEX, text, &bytes,
                           WINHTTP_NO_HEADER_INDEX)) {
    return false;
  }
  std::wstring lowered(text);
  for (wchar_t& c : lowered) c = static_cast<wchar_t>(std::towlower(c));
  return lowered.find(L"chunked") != std::wstring::npos;
}

// Why a call that waited for the server failed.
TransferEnd WaitFailure(DWORD error, const FetchLimits& limits, const Deadline& deadline, TransferEnd otherwise) {
  if (deadline.Passed()) return TransferEnd::TimedOut;
  if (error == ERROR_WINHTTP_TIMEOUT) return limits.stallTimeoutSeconds > 0 ? TransferEnd::Stalled : TransferEnd::TimedOut;
  if (error == ERROR_WINHTTP_REDIRECT_FAILED || error == ERROR_WINHTTP_UNRECOGNIZED_SCHEME) {
    return TransferEnd::RefusedRedirect;
  }
  return otherwise;
}

TransferEnd ReadBody(HINTERNET request, const FetchLimits& limits, const Deadline& deadline,
                     const BodyReceiver& receive, TransferResult& result) {
  const std::uint64_t announced = result.announced > 0 ? static_cast<std::uint64_t>(result.announced) : 0;
  std::vector<char> buffer(kReadChunk);
  for (;;) {
    if (deadline.Passed()) return TransferEnd::TimedOut;
    if (!BoundWaits(request, limits, deadline)) return TransferEnd::NotStarted;
    // Waits for what has arrived, then takes only that: a read for more
    // would wait on for the rest, past every check here.
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) {
      return WaitFailure(GetLastError(), limits, deadline, TransferEnd::Broken);
    }
    if (available == 0) break;
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(available, buffer.size()));
    if (!WinHttpReadData(request, buffer.data(), wanted, &read)) {
      return WaitFailure(GetLastError(), limits, deadline, TransferEnd::Broken);
    }
    if (read == 0) break;
    if (read > limits.maxBytes - result.received) return TransferEnd::TooLarge;  // never taken in
    if (!receive(buffer.data(), read, announced)) return TransferEnd::Stopped;
    result.received += read;
  }
  if (result.announced >= 0 && result.received != static_cast<std::uint64_t>(result.announced)) {
    return TransferEnd::Short;
  }
  if (result.announced < 0 && !IsChunked(request)) return TransferEnd::Unconfirmed;
  return TransferEnd::Complete;
}

TransferEnd Exchange(HINTERNET request, const FetchLimits& limits, const Deadline& deadline,
                     const BodyReceiver& receive, TransferResult& result) {
  if (!BoundWaits(request, limits, deadline)) return TransferEnd::NotStarted;
  if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
    return deadline.Passed() ? TransferEnd::TimedOut : TransferEnd::Unreachable;
  }
  if (!BoundWaits(request, limits, deadline)) return TransferEnd::NotStarted;
  if (!WinHttpReceiveResponse(request, nullptr)) {
    return WaitFailure(GetLastError(), limits, deadline, TransferEnd::Broken);
  }
  result.status = StatusOf(request);
  // A redirect still standing here is one WinHTTP would not follow.
  if (result.status >= 300) return TransferEnd::ServerError;
  result.announced = AnnouncedLength(request);
  if (result.announced > 0 && static_cast<std::uint64_t>(result.announced) > limits.maxBytes) {
    return TransferEnd::TooLarge;
  }
  return ReadBody(request, limits, deadline, receive, result);
}

}  // namespace

TransferResult TransferWithWinHttp(const std::string& url, const FetchLimits& limits, const BodyReceiver& receive) {
  TransferResult result;
  const Deadline deadline(limits.transferTimeoutMs);
  const std::optional<Address> address = CrackAddress(WideFromUtf8(url));
  if (!address) {
    result.end = TransferEnd::RefusedAddress;
    return result;
  }
  // The proxy configured for WinHTTP, if any; never one detected on the network.
  const Handle session(
      WinHttpOpen(L"Vantrell", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  const Handle connection(session ? WinHttpConnect(session.get(), address->host.c_str(), address->port, 0) : nullptr);
  const Handle request(connection ? WinHttpOpenRequest(connection.get(), L"GET", address->path.c_str(), nullptr,
                                                       WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                       address->secure ? WINHTTP_FLAG_SECURE : 0)
                                  : nullptr);
  if (!request || !LimitRedirects(request.get(), limits.maxRedirects) || !CloseWhenDone(request.get())) return result;
  result.end = Exchange(request.get(), limits, deadline, receive, result);
  return result;
}

}  // namespace vantrell
