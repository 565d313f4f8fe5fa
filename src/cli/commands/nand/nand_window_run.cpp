#include "cli/commands/nand/nand_window_run.h"

#include <memory>

#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "cli/commands/command_steps.h"
#include "cli/host/cli_host.h"
#include "cli/host/nand_events.h"
#include "cli/output/terminal_output.h"
#include "core/app/run_decision.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_workers.h"
#include "core/text/format.h"

namespace vantrell::cli {
namespace {

// An operation refuses with a box; its text is the refusal's line.
std::string RefusalText(const CliPrompt& prompt) {
  const std::string box = OneLine(prompt.LastShown());
  return box.empty() ? "the operation refused to start" : box;
}

}  // namespace

std::string BlockNumberRefusal(const std::string& what, std::int64_t value, int digits) {
  std::int64_t most = 1;
  for (int i = 0; i < digits; ++i) most *= 10;
  if (value >= 0 && value < most) return {};
  return FormatText("%s %lld is not a block number of at most %d digits", what.c_str(),
                    static_cast<long long>(value), digits);
}

std::optional<ExitCode> RefuseUnconfirmable(CommandContext& context, const std::string& question) {
  if (context.options.yes || context.env.askOperator) return std::nullopt;
  return context.Refuse(ExitCode::NeedsConfirmation, question + " asks before erasing: add --yes");
}

std::optional<ExitCode> NandWindowRun::Open(const std::string& imageName, const Event& start) {
  if (auto stop = StartWithImage(context_, imageName)) return *stop;
  CliHost& host = context_.Host();
  if (WindowKindFor(host.Device().name) != DeviceWindowKind::Nand) {
    return context_.Refuse(ExitCode::BadInput, host.Device().name + " is not a NAND device");
  }
  Event fields = ImageFields(host);
  fields.erase("sockets");  // the NAND window serves one board
  fields.update(start);
  context_.Start(fields);
  if (auto stop = RunUntilDeviceWindow(context_, DeviceWindowKind::Nand)) return *stop;
  Session().SetDevice(host.Device());

  auto view = std::make_shared<NandEvents>(context_.events);
  const auto refreshed = Run(
      *view, [&](NandSession& session) { return session.Start(&RefreshWorker, NandBusy::OperationControls, view); });
  if (const ExitCode* stop = std::get_if<ExitCode>(&refreshed)) return *stop;
  deviceName_ = view->DeviceName();
  const OperationEnd& end = std::get<OperationEnd>(refreshed);
  if (end.code != LinkResult::Finished) return Finish(end);
  return std::nullopt;
}

NandSession& NandWindowRun::Session() { return *context_.Host().Controller().Nand(); }

NandFlashState NandWindowRun::Flash() { return Session().Flash(); }

std::variant<OperationEnd, ExitCode> NandWindowRun::Run(const NandEvents& view,
                                                        const std::function<bool(NandSession&)>& start) {
  CliHost& host = context_.Host();
  NandSession& session = Session();
  Interrupt& interrupt = context_.env.interrupt;
  if (interrupt.Raised()) return context_.Finish(ExitCode::Interrupted);
  if (!start(session)) {
    if (interrupt.Raised()) return context_.Finish(ExitCode::Interrupted);
    if (host.Prompt().Unconfirmed()) return context_.Refuse(ExitCode::NeedsConfirmation, "answered No: add --yes");
    return context_.Refuse(ExitCode::BadInput, RefusalText(host.Prompt()));
  }
  if (!interrupt.WaitUntil([&] { return !session.IsRunning(); })) {
    host.Abandon();
    session.WaitForWorker();
    return context_.Finish(ExitCode::Interrupted);
  }
  session.WaitForWorker();
  if (interrupt.Raised()) return context_.Finish(ExitCode::Interrupted);
  return view.Account().End().value_or(Ended(LinkResult::Reported));
}

OperationEnd NandWindowRun::Ended(LinkResult code) {
  OperationEnd end;
  end.code = code;
  return end;
}

ExitCode NandWindowRun::Finish(const OperationEnd& end, const Event& fields) {
  const ExitCode exit = ExitForNandRun(end.code, !end.linkOpenFailed);
  if (exit == ExitCode::BadInput) {
    return context_.Refuse(exit, end.refusal.empty() ? "the operation refused to start" : OneLine(end.refusal));
  }
  Event result{{"code", LinkResultName(end.code)}};
  if (end.bytes > 0) result["bytes"] = end.bytes;
  result.update(fields);
  return context_.Finish(exit, result);
}

Event NandWindowRun::FlashFields() {
  const NandFlashState flash = Flash();
  return {{"name", deviceName_},
          {"blockCount", flash.totalBlockCount},
          {"blockSize", flash.blockSize},
          {"badBlockCount", flash.badBlockCount},
          {"fatStartBlock", flash.fatStartBlock}};
}

std::optional<ExitCode> NandWindowRun::RefuseAsTheWindow(const std::string& box) {
  if (box.empty()) return std::nullopt;
  return context_.Refuse(ExitCode::BadInput, OneLine(box));
}

std::optional<ExitCode> NandWindowRun::RefuseBeyondFlash(const std::string& what, std::int64_t last) {
  const std::int32_t blocks = Flash().totalBlockCount;
  if (last < blocks) return std::nullopt;
  return context_.Refuse(ExitCode::BadInput,
                         FormatText("%s %lld is beyond the flash (blocks 0~%d)", what.c_str(),
                                    static_cast<long long>(last), blocks - 1));
}

}  // namespace vantrell::cli
