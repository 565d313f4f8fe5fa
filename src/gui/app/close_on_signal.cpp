#include "gui/app/close_on_signal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#if !defined(_WIN32)
#include <csignal>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vantrell::gui {

#if !defined(_WIN32)
namespace {

// The handler may only write to a descriptor; the event loop reads it.
int signalPipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnTerminationSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
  errno = saved;
}

void SetHandlers(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

CloseOnSignal::CloseOnSignal(QWidget& mainWindow) : mainWindow_(mainWindow) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
    CloseWindows();
  });
  SetHandlers(&OnTerminationSignal);
}

CloseOnSignal::~CloseOnSignal() {
  if (notifier_ == nullptr) return;
  SetHandlers(SIG_DFL);
  delete notifier_;
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}
#else
CloseOnSignal::CloseOnSignal(QWidget& mainWindow) : mainWindow_(mainWindow) {}
CloseOnSignal::~CloseOnSignal() = default;
#endif

void CloseOnSignal::CloseWindows() {
  // The innermost dialog first, as an operator would close them.
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (modal == &mainWindow_ || !modal->close()) break;
  }
  mainWindow_.close();
}

}  // namespace vantrell::gui
