#pragma once
// Events for a person: one line per stage and per box, a progress line that
// a terminal rewrites in place (printed once at the end of a stage when the
// output is a file or a pipe), the sockets' verdicts as a table at the end
// and the result's fields. Fields a command adds to its result come out as
// "name: value" lines, so a new command needs nothing here.
#include <chrono>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "cli/output/event_output.h"

namespace vantrell::cli {

class TerminalOutput final : public EventOutput {
 public:
  // live: out is a terminal, and the progress line is rewritten in place.
  TerminalOutput(std::ostream& out, bool live) : out_(out), live_(live) {}
  void Emit(const Event& event) override;

 private:
  using Clock = std::chrono::steady_clock;

  void Start(const Event& event);
  void Stage(const Event& event);
  void Progress(const Event& event);
  void Box(const Event& event);
  void Result(const Event& event);
  void SocketTable();
  void EndProgressLine();
  void Line(const std::string& text);

  std::mutex mutex_;
  std::ostream& out_;
  const bool live_;
  bool progressShown_ = false;
  Clock::time_point stageStart_ = Clock::now();
  std::vector<Event> sockets_;
};

// A box's text on one line: its line ends become single spaces.
std::string OneLine(const std::string& text);

}  // namespace vantrell::cli
