#include "companions/common/staging_cleanup.h"

#include <thread>

#include "core/update/staging_files.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#endif

namespace vantrell::gui {
namespace {

#if !defined(_WIN32)
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};
int signalPipe[2] = {-1, -1};

// Only what is safe in a signal handler: the signal's number goes to the
// thread that removes the files.
void PassSignalOn(int signal) {
  const unsigned char number = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}

[[noreturn]] void RemoveThenEndAsSignalled(const std::string& directory, int signal) {
  RemoveOwnStagingFiles(directory);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  ::_exit(128 + signal);  // should the signal not end the process after all
}
#endif

}  // namespace

void RemoveStagingFilesOnTermination(const std::string& directory) {
#if !defined(_WIN32)
  if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC) != 0) return;
  // Its own thread, not the window's: a Register or a download may hold the
  // window's thread for as long as it writes.
  std::thread([directory] {
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) != 1) {
    }
    RemoveThenEndAsSignalled(directory, number);
  }).detach();
  struct sigaction action{};
  action.sa_handler = PassSignalOn;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kTerminationSignals) sigaction(signal, &action, nullptr);
#else
  (void)directory;
#endif
}

void RemoveAbandonedStagingFilesOf(const std::vector<std::string>& targets) {
  for (const std::string& target : targets) RemoveAbandonedStagingFiles(target);
}

}  // namespace vantrell::gui
