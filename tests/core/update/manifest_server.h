#pragma once
// A real HTTP server on the loopback interface, on a port of its own,
// serving the published manifest; VANTRELL_UPDATE_BASE_URL points the
// program at it for the server's lifetime.
#include <memory>
#include <string>
#include <thread>

#include <httplib.h>

#include "core/update/update_address.h"
#include "support/scoped_environment.h"

namespace vantrell::test {

class ManifestServer {
 public:
  ManifestServer() {
    server_.Get(kManifestPath, [this](const httplib::Request&, httplib::Response& response) {
      response.set_content(manifest, "application/xml");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
    address_ = std::make_unique<ScopedEnvironment>(kUpdateBaseUrlVariable, BaseUrl());
  }
  ~ManifestServer() {
    address_.reset();
    Stop();
  }
  ManifestServer(const ManifestServer&) = delete;
  ManifestServer& operator=(const ManifestServer&) = delete;

  // The server goes away; the address stays in use and now refuses.
  void Stop() {
    if (!thread_.joinable()) return;
    server_.stop();
    thread_.join();
  }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  httplib::Server& Server() { return server_; }

  std::string manifest;  // served as it is, whatever it holds

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::unique_ptr<ScopedEnvironment> address_;
};

}  // namespace vantrell::test
