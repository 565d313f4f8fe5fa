#include "cli/app/terminal_question.h"

#include <poll.h>
#include <unistd.h>

#include "cli/app/interrupt.h"

namespace vantrell::cli {
namespace {

constexpr std::size_t kLongestAnswer = 256;

}  // namespace

std::optional<bool> AskOnTerminal(const std::string& question, std::ostream& err, const Interrupt& interrupt) {
  err << question << " [y/N] " << std::flush;
  std::string answer;
  for (;;) {
    pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {interrupt.WakeDescriptor(), POLLIN, 0}};
    ::poll(waits, 2, -1);
    if (interrupt.Raised()) {
      err << '\n';
      return std::nullopt;
    }
    char c = 0;
    const ssize_t got = ::read(STDIN_FILENO, &c, 1);
    if (got < 0) continue;  // interrupted by a signal; poll again
    if (got == 0 || c == '\n') break;
    if (answer.size() < kLongestAnswer) answer.push_back(c);
  }
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

}  // namespace vantrell::cli
