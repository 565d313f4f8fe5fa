#include "core/update/curl_session.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <string_view>

namespace vantrell {
namespace {

// curl_global_init is not thread-safe; the first transfer does it, once.
void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

// One header line of an answer (curl hands them one at a time, the status
// line of every answer first, redirects and interim answers included).
std::size_t NoteHeaderLine(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& framing = *static_cast<BodyFraming*>(userData);
  const std::size_t length = size * count;
  const std::string line = Lowered(std::string_view(data, length));
  if (line.rfind("http/", 0) == 0) {
    framing = BodyFraming{};  // a new answer: what an earlier one said is no longer true
  } else if (line.rfind("content-length:", 0) == 0) {
    framing.announcedLength = true;
  } else if (line.rfind("transfer-encoding:", 0) == 0 && line.find("chunked") != std::string::npos) {
    framing.chunked = true;
  }
  return length;
}

}  // namespace

void WatchBodyFraming(CURL* curl, BodyFraming& framing) {
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, NoteHeaderLine);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &framing);
}

bool BodyEndConfirmed(CURL* curl, const BodyFraming& framing) {
  // HTTP/2 and HTTP/3 end every body with a frame of their own.
  long version = CURL_HTTP_VERSION_NONE;
  curl_easy_getinfo(curl, CURLINFO_HTTP_VERSION, &version);
  if (version == CURL_HTTP_VERSION_2_0 || version == CURL_HTTP_VERSION_3) return true;
  return framing.chunked || framing.announcedLength;
}

CurlHandle OpenCurlSession(const std::string& url, const FetchLimits& limits) {
  InitialiseCurlOnce();
  CurlHandle curl(curl_easy_init(), &curl_easy_cleanup);
  if (!curl) return curl;
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, limits.transferTimeoutMs);
  if (limits.stallTimeoutSeconds > 0) {
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, limits.stallTimeoutSeconds);
  }
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, limits.maxRedirects);
  // Only HTTP, also where a redirect points: never a local file or another scheme.
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);  // a 404 is no file
  // curl checks an HTTPS server's certificate and name by default; said
  // here so that no later change quietly turns it off.
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
  return curl;
}

}  // namespace vantrell
