#pragma once
// One writer hangs on a machine's USB, and every program of the project may
// drive it: the window, vantrell-cli, several of each. Their requests must
// never interleave on the wire, or a chip or the writer's own firmware is
// written wrongly. An operation therefore holds, besides its own program's
// busy state, this machine-wide claim on the writer from the moment it
// opens the link until it closes it; vantrell-cli holds it for its whole
// command, so nothing slips in between its RUN check and its run.
//
// The claim is the system's, not a file's contents: an abstract Unix socket
// name on Linux (no file system entry another user could plant a link at),
// an exclusively opened file on Windows. Either is let go by the system
// when the process ends however it ends, so a killed program never leaves
// the writer claimed.
//
// Within one process the claim is shared: a command holding it may start
// operations, which take it again; it is let go when the last holder lets
// go. Only another process is ever refused.
#include <optional>
#include <string>

namespace vantrell {

// The variable that names the claim instead of the machine's one writer. The
// test programs set it so that test programs run side by side do not refuse
// each other; nothing else should.
inline constexpr const char* kWriterClaimVariable = "VANTRELL_WRITER_CLAIM";

class WriterClaim {
 public:
  // The claim, or nothing when another process holds it. When the system
  // cannot make the claim at all (out of descriptors, no folder for it on
  // Windows) this process goes on without it rather than lock the operator
  // out of the writer: the in-program busy state still holds.
  static std::optional<WriterClaim> TryTake();

  WriterClaim(WriterClaim&& other) noexcept;
  WriterClaim& operator=(WriterClaim&& other) noexcept;
  WriterClaim(const WriterClaim&) = delete;
  WriterClaim& operator=(const WriterClaim&) = delete;
  ~WriterClaim();

 private:
  WriterClaim() = default;
  void Release();
  bool held_ = false;
};

// The claim's name: the variable's value when set (letters, digits, '.', '-'
// and '_' only; anything else makes the default), else "vantrell-writer".
std::string WriterClaimName();

}  // namespace vantrell
