// The bounds of fetches from the update server, against servers on the
// loopback interface that misbehave: too slow, stalling, redirecting out of
// HTTP, or cutting a body short. The same for libcurl and for WinHTTP.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "core/platform/replacement_file.h"
#include "core/update/http_manifest_fetcher.h"
#include "core/update/manifest_server.h"
#include "core/update/updater/file_download.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class HttpFetchTest : public ::testing::Test {
 protected:
  std::string Url(const std::string& path) const { return server.BaseUrl() + path; }

  test::ManifestServer server;
  test::TempDir dir;
};

TEST_F(HttpFetchTest, AManifestFetchEndsAtItsWholeTransferLimitEvenWhileBytesKeepComing) {
  // One byte every 100 ms: never a stall, but three seconds for the whole.
  server.Server().Get("/trickle", [](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("application/xml", [](std::size_t offset, httplib::DataSink& sink) {
      std::this_thread::sleep_for(100ms);
      if (offset >= 30) {
        sink.done();
        return true;
      }
      return sink.write(" ", 1);
    });
  });
  FetchLimits limits;
  limits.transferTimeoutMs = 500;
  const auto start = Clock::now();
  EXPECT_FALSE(HttpManifestFetcher(limits).Fetch(Url("/trickle")));
  EXPECT_LT(Clock::now() - start, 2s);
}

TEST_F(HttpFetchTest, ARedirectOutOfHttpOrABodyShortOfItsLengthIsNoManifest) {
  server.Server().Get("/to-file", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("file:///etc/hosts");
  });
  server.Server().Get("/to-ftp", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("ftp://127.0.0.1/update.xml");
  });
  server.Server().Get("/cut", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(100, "application/xml", [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
      if (offset > 0) return false;  // the connection drops after half
      return sink.write("<update>                                         ", 50);
    });
  });
  HttpManifestFetcher fetcher;
  EXPECT_FALSE(fetcher.Fetch(Url("/to-file")));
  EXPECT_FALSE(fetcher.Fetch(Url("/to-ftp")));
  EXPECT_FALSE(fetcher.Fetch(Url("/cut")));
  EXPECT_FALSE(fetcher.Fetch("file:///etc/hosts"));
}

TEST_F(HttpFetchTest, AFileDownloadEndsWhenNothingArrivesAndWhenTheFileOutgrowsItsCap) {
  // The answer's head, then nothing for longer than the stall limit.
  server.Server().Get("/stalls", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(1000, "application/octet-stream",
                                  [](std::size_t, std::size_t, httplib::DataSink& sink) {
                                    std::this_thread::sleep_for(2500ms);
                                    return sink.write(std::string(1000, 's').data(), 1000);
                                  });
  });
  // No announced size: the cap holds while the body arrives.
  server.Server().Get("/large", [](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("application/octet-stream", [](std::size_t offset, httplib::DataSink& sink) {
      if (offset >= 4000) {
        sink.done();
        return true;
      }
      return sink.write(std::string(1000, 'l').data(), 1000);
    });
  });
  FetchLimits limits = FileDownloadLimits();
  limits.stallTimeoutSeconds = 1;
  limits.maxBytes = 2500;
  const auto download = [&](const std::string& path) {
    ReplacementFile sink(dir.File("file"));
    return DownloadFile(Url(path), sink, limits, nullptr);
  };
  const auto start = Clock::now();
  EXPECT_NE(download("/stalls"), "");
  EXPECT_LT(Clock::now() - start, 2s);
  EXPECT_NE(download("/large"), "");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "nothing left behind";
}

// A body without a length or chunks ends only when the server closes the
// connection: a cut one looks the same as a whole one, so neither is taken.
TEST_F(HttpFetchTest, ABodyEndedOnlyByTheServerClosingIsNeitherInstalledNorAManifest) {
  const std::string manifest = "<list><file name=\"Vantrell\" version=\"9\"/></list>";
  const auto serveUntilClose = [](std::string body) {
    return [body](const httplib::Request&, httplib::Response& response) {
      response.set_content_provider("application/octet-stream", [body](std::size_t offset, httplib::DataSink& sink) {
        if (offset == 0) sink.write(body.data(), body.size());
        sink.done();  // then the connection closes
        return true;
      });
    };
  };
  server.Server().Get("/closed-file", serveUntilClose(std::string(5000, 'x')));
  server.Server().Get("/closed-manifest", serveUntilClose(manifest));
  server.Server().Get("/chunked-manifest", [&](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("application/xml", [&](std::size_t offset, httplib::DataSink& sink) {
      if (offset == 0) sink.write(manifest.data(), manifest.size());
      else sink.done();
      return true;
    });
  });
  test::WriteBytes(dir.File("Vantrell"), "old program");

  {
    ReplacementFile sink(dir.File("Vantrell"));
    EXPECT_EQ(DownloadFile(Url("/closed-file"), sink, FileDownloadLimits(), nullptr), kUnconfirmedEndText);
  }
  EXPECT_EQ(test::ReadBytes(dir.File("Vantrell")), "old program");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "nothing left behind";
  HttpManifestFetcher fetcher;
  EXPECT_FALSE(fetcher.Fetch(Url("/closed-manifest")));
  EXPECT_EQ(fetcher.Fetch(Url("/chunked-manifest")), manifest) << "a chunked body reached its last chunk";
}

}  // namespace
}  // namespace vantrell
