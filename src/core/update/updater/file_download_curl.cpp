#include "core/update/updater/file_download.h"

#include "core/platform/replacement_file.h"
#include "core/text/format.h"
#include "core/update/curl_session.h"

namespace vantrell {
namespace {

struct Transfer {
  ReplacementFile& sink;
  const DownloadProgress& progress;
  std::size_t maxBytes = 0;
  std::uint64_t received = 0;
  bool stopped = false;
  bool tooLarge = false;
};

std::size_t WriteToSink(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& transfer = *static_cast<Transfer*>(userData);
  const std::size_t length = size * count;
  // curl holds only an announced size to the cap; a body sent without one
  // is held to it here, before it reaches the file.
  if (length > transfer.maxBytes - transfer.received) {
    transfer.tooLarge = true;
    return 0;
  }
  if (!transfer.sink.Write(data, length)) return 0;  // curl ends with a write error
  transfer.received += length;
  return length;
}

int TellProgress(void* userData, curl_off_t announced, curl_off_t, curl_off_t, curl_off_t) {
  auto& transfer = *static_cast<Transfer*>(userData);
  if (!transfer.progress) return 0;
  transfer.stopped = !transfer.progress(transfer.received, announced > 0 ? static_cast<std::uint64_t>(announced) : 0);
  return transfer.stopped ? 1 : 0;
}

std::string FailureText(CURL* curl, CURLcode code, const Transfer& transfer, const char* detail) {
  if (transfer.stopped) return "stopped";
  if (transfer.tooLarge) return FormatText("the file is larger than %zu bytes", transfer.maxBytes);
  if (code == CURLE_WRITE_ERROR && !transfer.sink.Error().empty()) return transfer.sink.Error();
  if (code == CURLE_HTTP_RETURNED_ERROR) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    return FormatText("the server answered %ld", status);
  }
  return *detail != '\0' ? std::string(detail) : std::string(curl_easy_strerror(code));
}

}  // namespace

std::string DownloadFile(const std::string& url, ReplacementFile& sink, const FetchLimits& limits,
                         const DownloadProgress& progress) {
  if (!sink.IsOpen()) return sink.Error();
  CurlHandle curl = OpenCurlSession(url, limits);
  if (!curl) return "the download could not be started";
  Transfer transfer{sink, progress, limits.maxBytes};
  char detail[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, detail);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, WriteToSink);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, TellProgress);
  curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
  BodyFraming framing;
  WatchBodyFraming(curl.get(), framing);
  const CURLcode code = curl_easy_perform(curl.get());
  if (code != CURLE_OK) return FailureText(curl.get(), code, transfer, detail);
  if (!BodyEndConfirmed(curl.get(), framing)) return kUnconfirmedEndText;

  // curl already refuses a body cut short of its Content-Length; this holds
  // the file to the announced size whatever the transfer's encoding was.
  curl_off_t announced = -1;
  curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  if (announced >= 0 && static_cast<std::uint64_t>(announced) != transfer.received) {
    return FormatText("%llu of the %lld bytes the server announced arrived",
                      static_cast<unsigned long long>(transfer.received), static_cast<long long>(announced));
  }
  return {};
}

}  // namespace vantrell
