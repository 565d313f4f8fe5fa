#pragma once
// One published file fetched from the update server straight into the new
// version of the installed file (see ReplacementFile), never whole in memory.
#include <cstdint>
#include <functional>
#include <string>

#include "core/update/fetch_limits.h"

namespace vantrell {

class ReplacementFile;

// Bounds for program files: no limit on the whole transfer, which may be
// long on a slow line, but one on a transfer that stalls.
FetchLimits FileDownloadLimits();

// Told as bytes arrive: so many received of so many announced (0 when the
// server announced no size). Answering false stops the download.
using DownloadProgress = std::function<bool(std::uint64_t received, std::uint64_t announced)>;

// Why a body is refused that ended only with the server closing the
// connection: nothing tells such a body from one cut off midway.
inline constexpr const char* kUnconfirmedEndText =
    "the server closed the connection without confirming that the whole file arrived";

// Streams the file at url into sink. Empty when the whole file arrived: the
// transfer ended well, its end was confirmed by the protocol (a length
// announced and reached, or the last chunk), not only by the connection
// closing, and, when the server announced a size, exactly that many bytes
// were written. Otherwise why not, in words for the operator;
// sink then holds an incomplete file that must be dropped.
std::string DownloadFile(const std::string& url, ReplacementFile& sink, const FetchLimits& limits,
                         const DownloadProgress& progress);

}  // namespace vantrell
