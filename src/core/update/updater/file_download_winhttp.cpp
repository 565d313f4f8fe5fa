#include "core/update/updater/file_download.h"

#include "core/platform/replacement_file.h"
#include "core/text/format.h"
#include "core/update/http_transfer_winhttp.h"

namespace vantrell {
namespace {

struct Transfer {
  ReplacementFile& sink;
  const DownloadProgress& progress;
  std::uint64_t received = 0;
  bool writeFailed = false;
};

bool TakePiece(Transfer& transfer, const char* data, std::size_t length, std::uint64_t announced) {
  if (!transfer.sink.Write(data, length)) {
    transfer.writeFailed = true;
    return false;
  }
  transfer.received += length;
  return !transfer.progress || transfer.progress(transfer.received, announced);
}

std::string FailureText(const TransferResult& result, const Transfer& transfer, const FetchLimits& limits) {
  switch (result.end) {
    case TransferEnd::Complete: return {};
    case TransferEnd::NotStarted: return "the download could not be started";
    case TransferEnd::RefusedAddress: return "the address is not an HTTP or HTTPS address";
    case TransferEnd::RefusedRedirect: return "the server's redirect was not followed";
    case TransferEnd::Unreachable: return "the server could not be reached";
    case TransferEnd::ServerError: return FormatText("the server answered %ld", result.status);
    case TransferEnd::TooLarge: return FormatText("the file is larger than %zu bytes", limits.maxBytes);
    case TransferEnd::TimedOut: return "the download took too long";
    case TransferEnd::Stalled: return FormatText("nothing arrived for %ld seconds", limits.stallTimeoutSeconds);
    case TransferEnd::Broken: return "the connection to the server broke off";
    case TransferEnd::Short:
      return FormatText("%llu of the %lld bytes the server announced arrived",
                        static_cast<unsigned long long>(result.received), static_cast<long long>(result.announced));
    case TransferEnd::Unconfirmed: return kUnconfirmedEndText;
    case TransferEnd::Stopped: break;
  }
  return transfer.writeFailed && !transfer.sink.Error().empty() ? transfer.sink.Error() : std::string("stopped");
}

}  // namespace

std::string DownloadFile(const std::string& url, ReplacementFile& sink, const FetchLimits& limits,
                         const DownloadProgress& progress) {
  if (!sink.IsOpen()) return sink.Error();
  Transfer transfer{sink, progress};
  const TransferResult result =
      TransferWithWinHttp(url, limits, [&](const char* data, std::size_t length, std::uint64_t announced) {
        return TakePiece(transfer, data, length, announced);
      });
  return FailureText(result, transfer, limits);
}

}  // namespace vantrell
