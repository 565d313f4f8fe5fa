#pragma once
// A yes/no question on the terminal: asked on standard error, answered on
// standard input. Ctrl+C while it waits leaves it unanswered.
#include <optional>
#include <ostream>
#include <string>

namespace vantrell::cli {

class Interrupt;

// Yes for an answer beginning with "y" or "Y", No for any other line or for
// the end of input; nothing after Ctrl+C.
std::optional<bool> AskOnTerminal(const std::string& question, std::ostream& err, const Interrupt& interrupt);

}  // namespace vantrell::cli
