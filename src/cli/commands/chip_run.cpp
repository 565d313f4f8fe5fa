#include "cli/commands/chip_run.h"

#include <cmath>
#include <memory>

#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "cli/commands/command_steps.h"
#include "cli/host/cli_host.h"
#include "cli/host/download_events.h"
#include "cli/output/socket_event.h"
#include "cli/output/terminal_output.h"
#include "core/program/job/file_checksum.h"
#include "core/program/session/programming_session.h"
#include "core/program/session/run_settings.h"

namespace vantrell::cli {
namespace {

// What the command has checked and built before the link opens.
struct PreparedRun {
  RunOptions options;
  DownloadJob job;
  DownloadJobSizes sizes;
};

Event FileFields(const PreparedRun& run) {
  Event files = Event::array();
  for (std::size_t k = 0; k < run.job.FileCount(); ++k) {
    Event file{{"index", k}, {"path", run.job.paths[k]}, {"sector", run.job.sectors[k]}};
    if (k < run.sizes.fileBytes.size()) file["size"] = run.sizes.fileBytes[k];
    file["checksum"] = ChecksumText(run.job.checksums[k]);
    files.push_back(file);
  }
  return files;
}

Event StartFields(CliHost& host, const ChipRunPlan& plan, const PreparedRun& run) {
  Event fields = ImageFields(host);
  if (plan.kind == ChipRunKind::EraseAll) return fields;
  std::vector<std::string> names = OptionNames(run.options);
  if (plan.checkSum) names.push_back("checksum");
  fields["options"] = names;
  fields["auto"] = !plan.options.has_value();
  fields["files"] = FileFields(run);
  return fields;
}

// The checks before the link opens; an exit code when the run cannot be.
std::optional<ExitCode> Prepare(CommandContext& context, const ChipRunPlan& plan, PreparedRun& run) {
  CliHost& host = context.Host();
  const SelectedDevice& device = host.Device();
  if (WindowKindFor(device.name) != DeviceWindowKind::Download) {
    return context.Refuse(ExitCode::BadInput, device.name + " is not an internal-flash device");
  }
  run.options = plan.options.value_or(ReadAutoOptions(context.env.settings));
  if (plan.kind == ChipRunKind::Download && !AnyOptionSet(run.options)) {
    return context.Refuse(ExitCode::BadInput, "Auto Option is not set!");
  }
  run.job = BuildJob(plan.files, device, host.Prompt());
  if (plan.kind == ChipRunKind::Download && !run.options.IsBlankCheckOnly() && run.job.FileCount() > 0) {
    if (auto refusal = JobRefusal(run.job, device, run.sizes)) {
      return context.Refuse(ExitCode::BadInput, "the job is refused: " + OneLine(*refusal));
    }
    if (const std::string beyond = FileBeyondFlash(run.job, run.sizes, device); !beyond.empty()) {
      return context.Refuse(ExitCode::BadInput, beyond);
    }
  }
  return std::nullopt;
}

double Seconds(double seconds) { return std::round(seconds * 1000) / 1000; }

ExitCode Report(CommandContext& context, ProgrammingSession& session, const DownloadEvents& view) {
  OperationEnd end;
  end = view.Account().End().value_or(end);
  std::size_t passed = 0;
  for (const SocketVerdict& verdict : view.Account().Verdicts()) {
    passed += verdict.outcome == SocketOutcome::Passed ? 1 : 0;
    context.events.Emit(SocketEvent(verdict, view.PackLine(verdict.socket), end));
  }
  const ResultCounters counters = end.counters.value_or(session.Counters());
  const double seconds = Seconds(end.elapsedSeconds);
  Event fields{{"code", LinkResultName(end.code)},
               {"counters", {{"total", counters.total}, {"success", counters.success}, {"fail", counters.fail}}},
               {"elapsed", seconds}};
  if (end.bytes > 0) {
    fields["bytes"] = end.bytes;
    fields["rate"] = static_cast<std::uint64_t>(seconds > 0 ? static_cast<double>(end.bytes) / seconds : end.bytes);
  }
  return context.Finish(ExitForChipRun(end.code, session.SocketCount(), passed, !end.linkOpenFailed), fields);
}

// The button's run on the session: false when it did not start (Ctrl+C
// came first, Erase All's question was answered No, the link was busy).
bool StartRun(CommandContext& context, ProgrammingSession& session, const ChipRunPlan& plan, const PreparedRun& run,
              std::shared_ptr<DownloadEvents> view) {
  if (context.env.interrupt.Raised()) return false;
  if (plan.kind == ChipRunKind::EraseAll) return session.StartEraseAll(std::move(view));
  session.SetOptions(run.options);
  return session.StartRun(run.job, std::move(view));
}

// The download window from its initialisation to its close, with one run.
ExitCode RunInDownloadWindow(CommandContext& context, const ChipRunPlan& plan, const PreparedRun& run) {
  CliHost& host = context.Host();
  ProgrammingSession& session = *host.Controller().Programming();
  SettingsStore& settings = context.env.settings;
  session.SetDevice(host.Device());
  session.SetCounters(ReadCounters(settings));
  session.SetOptions(ReadInitialOptions(settings));
  auto view = std::make_shared<DownloadEvents>(context.events, run.job.paths, plan.checkSum);

  const bool running = StartRun(context, session, plan, run, view);
  const bool ended = !running || context.env.interrupt.WaitUntil([&] { return !session.IsRunning(); });
  if (!ended) host.Abandon();
  session.WaitForWorker();
  // The window closes: the counters are stored as they stand.
  WriteCounters(settings, session.Counters());
  if (!ended || context.env.interrupt.Raised()) return context.Finish(ExitCode::Interrupted);
  if (!running) {
    return plan.kind == ChipRunKind::EraseAll
               ? context.Refuse(ExitCode::NeedsConfirmation, "Erase All needs a Yes: add --yes")
               : context.Refuse(ExitCode::LinkError, "another operation holds the writer");
  }
  return Report(context, session, *view);
}

}  // namespace

std::vector<std::string> OptionNames(const RunOptions& options) {
  std::vector<std::string> names;
  if (options.eraseAll) names.push_back("erase-all");
  if (options.erase) names.push_back("erase");
  if (options.blank) names.push_back("blank");
  if (options.program) names.push_back("program");
  if (options.verify) names.push_back("verify");
  return names;
}

ExitCode RunChipCommand(CommandContext& context, const ChipRunPlan& plan) {
  if (plan.kind == ChipRunKind::EraseAll && !context.options.yes && !context.env.askOperator) {
    return context.Refuse(ExitCode::NeedsConfirmation, "Erase All asks before erasing: add --yes");
  }
  if (const std::string unreadable = UnreadableFile(plan.files); !unreadable.empty()) {
    return context.Refuse(ExitCode::BadInput, unreadable);
  }
  if (auto stop = StartWithImage(context, plan.imageName)) return *stop;
  PreparedRun run;
  if (auto stop = Prepare(context, plan, run)) return *stop;
  context.Start(StartFields(context.Host(), plan, run));
  if (auto stop = RunUntilDeviceWindow(context, DeviceWindowKind::Download)) return *stop;
  return RunInDownloadWindow(context, plan, run);
}

}  // namespace vantrell::cli
