// The built companions and the new versions of files they write: a
// companion ended by a signal in the middle of a download removes them, and
// one that starts removes those a killed run left, but never one that a
// running process still holds.
#include <QProcess>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>
#include <httplib.h>

#include "core/platform/resource_table.h"
#include "core/update/staging_files.h"
#include "core/update/update_address.h"
#include "gui/support/gui_wait.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#endif

namespace vantrell::gui {
namespace {

namespace fs = std::filesystem;

#if !defined(_WIN32)
std::string List(const std::string& files) { return "<list>" + files + "</list>"; }

// Serves a list that wants engine.so anew, and engine.so as a first piece,
// then nothing until the server stops: the download stays in progress.
class StallingServer {
 public:
  StallingServer() {
    const std::string directory = kServerDirectory;
    server_.Get(directory + "update.xml", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(List("<file name=\"engine.so\" version=\"2\"/>"), "application/xml");
    });
    server_.Get(directory + "delete_list.xml", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(List(""), "application/xml");
    });
    server_.Get(directory + "engine.so", [this](const httplib::Request&, httplib::Response& response) {
      response.set_content_provider(1 << 20, "application/octet-stream",
                                    [this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                      if (offset == 0) return sink.write(std::string(4096, 'e').data(), 4096);
                                      while (!stopping_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                      return false;
                                    });
    });
    const int port = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::yield();
    address_ = std::make_unique<test::ScopedEnvironment>(kUpdateBaseUrlVariable, "http://127.0.0.1:" + std::to_string(port));
  }
  ~StallingServer() {
    stopping_ = true;
    server_.stop();
    thread_.join();
  }

 private:
  httplib::Server server_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  std::unique_ptr<test::ScopedEnvironment> address_;
};

void Start(QProcess& process, const std::string& file, const test::TempDir& dir) {
  const std::string copy = dir.File(fs::path(file).filename().string());
  fs::copy_file(file, copy);
  process.setWorkingDirectory(QString::fromStdString(dir.Path()));
  process.start(QString::fromStdString(copy), {});
  ASSERT_TRUE(process.waitForStarted());
}

void EndWithSignal(QProcess& process, int signal) {
  ::kill(static_cast<pid_t>(process.processId()), signal);
  ASSERT_TRUE(process.waitForFinished(10000));
}

TEST(CompanionStagingTest, TheUpdaterEndedBySignalsMidDownloadLeavesNoNewVersionBehind) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    StallingServer server;
    test::TempDir dir;
    test::WriteBytes(dir.File(kProgramFileName), "program");
    test::WriteBytes(dir.File("engine.so"), "engine 1");
    test::WriteBytes(dir.File("update.xml"), List("<file name=\"engine.so\" version=\"1\"/>"));
    QProcess updater;
    Start(updater, VANTRELL_UPDATER_FILE, dir);
    ASSERT_TRUE(test::WaitUntil([&] { return !StagingFilesOf(dir.File("engine.so")).empty(); }, 20000))
        << "the download began";

    EndWithSignal(updater, signal);
    EXPECT_EQ(updater.exitStatus(), QProcess::CrashExit) << "ended as the signal ends a program";
    EXPECT_TRUE(StagingFilesOf(dir.File("engine.so")).empty());
    EXPECT_EQ(test::ReadBytes(dir.File("engine.so")), "engine 1");
  }
}

TEST(CompanionStagingTest, TheEditorStartingRemovesAbandonedNewVersionsButNotOneStillHeld) {
  test::TempDir dir;
  const std::string program = dir.File(kProgramFileName);
  test::WriteBytes(program, "program");
  const auto besideProgram = [&](const char* suffix) {
    return (fs::path(dir.Path()) / (std::string(1, '.').append(kProgramFileName).append(suffix))).string();
  };
  const std::string abandoned = besideProgram(".Ab12Cd");
  const std::string held = besideProgram(".Hd34Ef");
  const std::string unrelated = besideProgram(".old");
  test::WriteBytes(abandoned, std::string(4096, 'a'));
  test::WriteBytes(held, "being written");
  test::WriteBytes(unrelated, "the user's");
  // This test is a running process that holds it (and does not hand it to the editor).
  const int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);

  QProcess editor;
  Start(editor, VANTRELL_DEVICE_LIST_EDITOR_FILE, dir);
  EXPECT_TRUE(test::WaitUntil([&] { return !fs::exists(abandoned); }, 20000));
  EndWithSignal(editor, SIGTERM);
  EXPECT_TRUE(fs::exists(held));
  EXPECT_TRUE(fs::exists(unrelated));
  EXPECT_EQ(test::ReadBytes(program), "program");
  ::close(holder);
}
#endif

}  // namespace
}  // namespace vantrell::gui
