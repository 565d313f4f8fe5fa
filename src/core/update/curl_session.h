#pragma once
// One transfer from the update server with libcurl: the options every fetch
// shares, whatever it fetches into. Only the libcurl sources (those named
// *_curl.cpp, built on Linux) include this; on Windows WinHTTP does the
// transfers (see http_transfer_winhttp.h) and there is no libcurl.
#include <memory>
#include <string>

#include <curl/curl.h>

#include "core/update/fetch_limits.h"

namespace vantrell {

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

// A handle for url within the limits: HTTP and HTTPS only (redirects
// included), a server's error status is a failed transfer, and no signals
// are used for the time-outs (the programs have threads). Null when curl
// cannot make one.
CurlHandle OpenCurlSession(const std::string& url, const FetchLimits& limits);

// How the last answer's body was delimited. Over HTTP/1 a body that only
// ends when the server closes the connection cannot be told from one cut
// off by a dropped line or a dying server, so only a body of announced
// length (which curl holds to that length) or a chunked one (which curl
// holds to its last chunk) is known to be whole.
struct BodyFraming {
  bool announcedLength = false;
  bool chunked = false;
};

// Has curl note on framing the delimiting of every answer it reads (the
// last one, after redirects, is what counts).
void WatchBodyFraming(CURL* curl, BodyFraming& framing);

// After a transfer that curl saw end well: true when the body's end was
// confirmed by the protocol, not merely by the connection closing.
bool BodyEndConfirmed(CURL* curl, const BodyFraming& framing);

}  // namespace vantrell
