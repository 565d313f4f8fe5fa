#include "cli/app/interrupt.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace vantrell::cli {
namespace {

std::atomic<Interrupt*> handled{nullptr};

#if defined(_WIN32)

// Called on a thread the console starts; TRUE keeps the process alive so
// the run is abandoned and the program ends with its own exit code.
BOOL WINAPI OnConsoleControl(DWORD control) {
  if (control != CTRL_C_EVENT && control != CTRL_BREAK_EVENT) return FALSE;
  Interrupt* interrupt = handled.load();
  if (interrupt == nullptr) return FALSE;
  interrupt->Raise();
  return TRUE;
}

#else

extern "C" void OnCtrlC(int) {
  const int saved = errno;
  if (Interrupt* interrupt = handled.load()) interrupt->Raise();
  errno = saved;
}

void SetHandler(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

#endif

}  // namespace

#if defined(_WIN32)

Interrupt::Interrupt() : wakeEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Interrupt::~Interrupt() {
  if (wakeEvent_ != nullptr) CloseHandle(wakeEvent_);
}

void Interrupt::Raise() {
  raised_.store(true);
  if (wakeEvent_ != nullptr) SetEvent(wakeEvent_);
}

bool Interrupt::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds period) const {
  for (;;) {
    if (done()) return true;
    if (Raised()) return false;
    if (wakeEvent_ != nullptr) WaitForSingleObject(wakeEvent_, static_cast<DWORD>(period.count()));
    else Sleep(static_cast<DWORD>(period.count()));
  }
}

InterruptOnCtrlC::InterruptOnCtrlC(Interrupt& interrupt) {
  handled.store(&interrupt);
  SetConsoleCtrlHandler(&OnConsoleControl, TRUE);
}

InterruptOnCtrlC::~InterruptOnCtrlC() {
  SetConsoleCtrlHandler(&OnConsoleControl, FALSE);
  handled.store(nullptr);
}

#else

Interrupt::Interrupt() {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) pipe_[0] = pipe_[1] = -1;
}

Interrupt::~Interrupt() {
  for (int fd : pipe_) {
    if (fd >= 0) ::close(fd);
  }
}

void Interrupt::Raise() {
  raised_.store(true);
  const char byte = 1;
  if (pipe_[1] >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(pipe_[1], &byte, 1);
  }
}

bool Interrupt::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds period) const {
  for (;;) {
    if (done()) return true;
    if (Raised()) return false;
    pollfd wake{pipe_[0], POLLIN, 0};
    ::poll(&wake, pipe_[0] >= 0 ? 1 : 0, static_cast<int>(period.count()));
  }
}

InterruptOnCtrlC::InterruptOnCtrlC(Interrupt& interrupt) {
  handled.store(&interrupt);
  SetHandler(SIGINT, &OnCtrlC);
  SetHandler(SIGPIPE, SIG_IGN);
}

InterruptOnCtrlC::~InterruptOnCtrlC() {
  SetHandler(SIGINT, SIG_DFL);
  handled.store(nullptr);
}

#endif

}  // namespace vantrell::cli
