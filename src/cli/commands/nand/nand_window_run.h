#pragma once
// The NAND Flash Management window as a nand command drives it: opened by
// RUN, refreshed first as the operator must before most of its buttons
// work, then one operation on the same session the window drives, waited
// for while Ctrl+C is watched. The result carries what the window's
// information group shows.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "cli/app/exit_codes.h"
#include "cli/output/event_output.h"
#include "core/link/link_result.h"
#include "core/nand/operations/nand_flash_state.h"
#include "core/operation/operation_account.h"

namespace vantrell {
class NandSession;
}

namespace vantrell::cli {

class CommandContext;
class NandEvents;

// Why a block number typed into an edit of this many digits is refused
// ("FIRST 12345 is not a block number of at most 4 digits"); empty when fine.
std::string BlockNumberRefusal(const std::string& what, std::int64_t value, int digits);

// The answer a question the operation asks needs before the link opens:
// with no --yes and nobody at a terminal to ask, the exit code.
std::optional<ExitCode> RefuseUnconfirmable(CommandContext& context, const std::string& question);

class NandWindowRun {
 public:
  explicit NandWindowRun(CommandContext& context) : context_(context) {}

  // The program with the image, which must be a NAND device's; the start
  // event with the image's fields and start; RUN until the NAND window
  // opens; then Refresh. The exit code when any of it failed.
  std::optional<ExitCode> Open(const std::string& imageName, const Event& start);

  NandSession& Session();
  // What the last Refresh (or Erase All) learnt of the flash.
  NandFlashState Flash();

  // One operation: start starts its worker on the session with view. How it
  // ended as its account says, or the exit code when it did not start or
  // Ctrl+C came.
  std::variant<OperationEnd, ExitCode> Run(const NandEvents& view, const std::function<bool(NandSession&)>& start);

  // The result event for an operation that ended so: "code" and its fields;
  // a refusal (the worker's box) goes to standard error instead.
  ExitCode Finish(const OperationEnd& end, const Event& fields = Event::object());
  // The refusal of a range or block number as the window's box words it.
  std::optional<ExitCode> RefuseAsTheWindow(const std::string& box);
  // What the information group shows: "name", "blockCount", "blockSize",
  // "badBlockCount", "fatStartBlock" (as the last Refresh or Erase All read them).
  Event FlashFields();
  // Block last lies beyond the flash the Refresh found: a refusal.
  std::optional<ExitCode> RefuseBeyondFlash(const std::string& what, std::int64_t last);

  static OperationEnd Ended(LinkResult code);

 private:
  CommandContext& context_;
  std::string deviceName_;  // as the information group shows it
};

}  // namespace vantrell::cli
