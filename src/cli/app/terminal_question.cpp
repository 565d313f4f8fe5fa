#include "cli/app/terminal_question.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#include "cli/app/interrupt.h"
#include "cli/output/terminal_text.h"

namespace vantrell::cli {
namespace {

constexpr std::size_t kLongestAnswer = 256;

#if defined(_WIN32)

// The console hands over a line at Enter. Ctrl+C ends the read with nothing
// read, and the console's handler raises the interrupt on a thread of its
// own a moment later: an empty read waits for it briefly.
std::optional<std::string> ReadAnswer(const Interrupt& interrupt) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::string answer;
  for (;;) {
    wchar_t chunk[64];
    DWORD got = 0;
    const bool read = ReadConsoleW(input, chunk, 64, &got, nullptr) != 0;
    if (interrupt.Raised()) return std::nullopt;
    if (!read || got == 0) {
      if (WaitForSingleObject(interrupt.WakeEvent(), 250) == WAIT_OBJECT_0) return std::nullopt;
      return answer;
    }
    for (DWORD i = 0; i < got; ++i) {
      if (chunk[i] == L'\n') return answer;
      if (chunk[i] != L'\r' && answer.size() < kLongestAnswer) answer.push_back(chunk[i] < 0x80 ? char(chunk[i]) : '?');
    }
  }
}

#else

std::optional<std::string> ReadAnswer(const Interrupt& interrupt) {
  std::string answer;
  for (;;) {
    pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {interrupt.WakeDescriptor(), POLLIN, 0}};
    ::poll(waits, 2, -1);
    if (interrupt.Raised()) return std::nullopt;
    char c = 0;
    const ssize_t got = ::read(STDIN_FILENO, &c, 1);
    if (got < 0) continue;  // interrupted by a signal; poll again
    if (got == 0 || c == '\n') return answer;
    if (answer.size() < kLongestAnswer) answer.push_back(c);
  }
}

#endif

}  // namespace

std::optional<bool> AskOnTerminal(const std::string& question, std::ostream& err, const Interrupt& interrupt) {
  err << VisibleControls(question) << " [y/N] " << std::flush;
  const std::optional<std::string> answer = ReadAnswer(interrupt);
  if (!answer) {
    err << '\n';
    return std::nullopt;
  }
  return !answer->empty() && ((*answer)[0] == 'y' || (*answer)[0] == 'Y');
}

}  // namespace vantrell::cli
