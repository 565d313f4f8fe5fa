#pragma once
// One transfer from the update server with WinHTTP: the bounds every fetch
// shares, whatever the body goes into. They are those libcurl keeps on Linux
// (see curl_session.h): HTTP and HTTPS only, redirects included and at most
// limits.maxRedirects of them; a server's error status is a failed
// transfer; no more than limits.maxBytes are ever taken; a body shorter
// than its announced length is no whole body, nor is a body that only the
// server's closing of the connection ended (HTTP/1 cannot tell that from
// one cut off midway). WinHTTP knows no limit on the
// whole transfer, so the transfer keeps its own deadline and never lets one
// call wait past it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "core/update/fetch_limits.h"

namespace vantrell {

enum class TransferEnd {
  Complete,         // the whole body arrived
  NotStarted,       // WinHTTP could not set the transfer up
  RefusedAddress,   // no HTTP or HTTPS address
  RefusedRedirect,  // a redirect to another scheme, or one too many
  Unreachable,      // no connection to the server, or the request could not be sent
  ServerError,      // the server answered with an error (or a redirect left unfollowed)
  TooLarge,         // more than limits.maxBytes announced or sent
  TimedOut,         // the whole transfer took longer than limits.transferTimeoutMs
  Stalled,          // nothing arrived for limits.stallTimeoutSeconds
  Broken,           // the connection failed while the answer arrived
  Short,            // the connection ended before the announced length arrived
  Unconfirmed,      // neither a length nor chunks: only the connection's close ended the body
  Stopped,          // the receiver of the body asked to stop
};

struct TransferResult {
  TransferEnd end = TransferEnd::NotStarted;
  long status = 0;               // the server's answer, 0 before there is one
  std::uint64_t received = 0;    // bytes of the body handed on
  std::int64_t announced = -1;   // the body's announced length, -1 when none
};

// Takes each piece of the body as it arrives, with the announced length (0
// when none was announced); answering false stops the transfer.
using BodyReceiver = std::function<bool(const char* data, std::size_t length, std::uint64_t announced)>;

// Fetches url (UTF-8) within the limits, handing the body on piece by piece.
TransferResult TransferWithWinHttp(const std::string& url, const FetchLimits& limits, const BodyReceiver& receive);

}  // namespace vantrell
