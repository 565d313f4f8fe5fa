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

}  // namespace vantrell
