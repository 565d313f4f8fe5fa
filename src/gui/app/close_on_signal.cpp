#include "gui/app/close_on_signal.h"

#include <QSocketNotifier>

#include "gui/app/program_end.h"

#if defined(_WIN32)
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <windows.h>
#else
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

CloseOnSignal::CloseOnSignal(ProgramEnd& end) : end_(end) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
    end_.Request();
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
// Once the main window runs, the desktop's WM_CLOSE reaches its close
// handler as before. During start-up only a start-up box is on screen, and
// the desktop's WM_CLOSE to it (taskkill without /F) or the end of the
// session must end the program, not just that box. The operator's own close
// of a box (its close button, Alt+F4) comes as SC_CLOSE first and only
// closes the box, as ever.
struct CloseOnSignal::WindowsRequests : QAbstractNativeEventFilter {
  explicit WindowsRequests(ProgramEnd& end) : end(end) {}

  bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
    if (!end.StartingUp()) return false;
    const MSG& msg = *static_cast<const MSG*>(message);
    if (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE) {
      closedByOperator = msg.hwnd;
      return false;
    }
    if (msg.message == WM_CLOSE) {
      const bool byOperator = msg.hwnd == closedByOperator;
      closedByOperator = nullptr;
      if (byOperator) return false;
      end.Request();
      return true;
    }
    if (msg.message == WM_ENDSESSION && msg.wParam != 0) end.Request();
    return false;
  }

  ProgramEnd& end;
  HWND closedByOperator = nullptr;
};

CloseOnSignal::CloseOnSignal(ProgramEnd& end) : end_(end), windowsRequests_(new WindowsRequests(end)) {
  QCoreApplication::instance()->installNativeEventFilter(windowsRequests_);
}

CloseOnSignal::~CloseOnSignal() {
  QCoreApplication::instance()->removeNativeEventFilter(windowsRequests_);
  delete windowsRequests_;
}
#endif

}  // namespace vantrell::gui
