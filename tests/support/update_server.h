#pragma once
// An update server on the loopback interface, on a port of its own, serving
// files of the server directory; VANTRELL_UPDATE_BASE_URL points the
// programs (this one and those it starts) at it for the server's lifetime.
// A file marked cut sends half of its announced bytes, then the connection
// drops, as when the server goes away in the middle of a download.
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include <httplib.h>

#include "core/update/update_address.h"
#include "support/environment.h"

namespace vantrell::test {

class UpdateServer {
 public:
  UpdateServer() {
    server_.Get(std::string(kServerDirectory) + "(.*)", [this](const httplib::Request& request, httplib::Response& response) {
      Serve(request.matches[1], response);
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
    SetEnvironmentValue(kUpdateBaseUrlVariable, "http://127.0.0.1:" + std::to_string(port_));
  }
  ~UpdateServer() {
    ClearEnvironmentValue(kUpdateBaseUrlVariable);
    server_.stop();
    thread_.join();
  }
  UpdateServer(const UpdateServer&) = delete;
  UpdateServer& operator=(const UpdateServer&) = delete;

  void Publish(const std::string& name, const std::string& content, bool cut = false) {
    std::lock_guard<std::mutex> lock(mutex_);
    files_[name] = content;
    if (cut) cut_.insert(name);
  }
  // The names asked for, in order.
  std::vector<std::string> Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve(const std::string& name, httplib::Response& response) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(name);
    const auto file = files_.find(name);
    if (file == files_.end()) {
      response.status = 404;
      return;
    }
    if (!cut_.count(name)) return response.set_content(file->second, "application/octet-stream");
    const std::string content = file->second;
    response.set_content_provider(content.size(), "application/octet-stream",
                                  [content](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                    if (offset >= content.size() / 2) return false;  // the connection drops
                                    sink.write(content.data(), content.size() / 2);
                                    return true;
                                  });
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> files_;
  std::set<std::string> cut_;
  std::vector<std::string> requests_;
};

}  // namespace vantrell::test
