#include "cli/host/cli_host.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "cli/app/cli_environment.h"
#include "cli/app/command_context.h"
#include "cli/app/interrupt.h"
#include "cli/output/event_output.h"
#include "core/link/writer_link.h"
#include "core/program/job/file_checksum.h"
#include "core/program/session/programming_session.h"

namespace vantrell::cli {

std::string MissingImage(const std::string& programDirectory, const std::string& imageName) {
  const std::filesystem::path device = Utf8Path(programDirectory) / "Device";
  std::error_code error;
  for (const std::string& candidate : {imageName, imageName + ".bin"}) {
    if (!candidate.empty() && std::filesystem::is_regular_file(device / Utf8Path(candidate), error)) return {};
  }
  return "no device image \"" + imageName + "\" in " + (device.string());
}

CliHost::CliHost(CliEnvironment& env, EventOutput& events, const GlobalOptions& options)
    : env_(env),
      events_(events),
      options_(options),
      prompt_(events, options.yes, env.askOperator, env.interrupt),
      update_(events) {}

CliHost::~CliHost() {
  if (!controller_) return;
  controller_->CloseWithoutSaving();
  controller_->Log().SetMirror({});
}

CliHost::Start CliHost::StartUp(const std::optional<std::string>& imageName) {
  claim_ = WriterClaim::TryTake();
  if (!claim_) return Start::WriterBusy;
  shell_ = std::make_unique<CliShell>(imageName);
  controller_ = std::make_unique<MainController>(
      MainWindowParts{prompt_, env_.settings, *shell_, selection_, update_, controls_}, env_.location, env_.clock);
  shell_->ListedIn(controller_->Images());
  if (options_.jsonLog) {
    controller_->Log().SetMirror([this](std::string_view text) {
      Event event = MakeEvent("log");
      event["text"] = std::string(text);
      events_.Emit(event);
    });
  }
  return controller_->StartUp() ? Start::Started : Start::NoDriver;
}

bool CliHost::ImageSelected() const {
  return controller_ && controller_->Images().HasImage() && shell_->ComboIndex() >= 0;
}

std::string CliHost::ImageFileName() const {
  const int index = shell_ ? shell_->ComboIndex() : -1;
  const auto& files = controller_->Images().FileNames();
  return index >= 0 && static_cast<std::size_t>(index) < files.size() ? files[index] : std::string();
}

const SelectedDevice& CliHost::Device() const { return controller_->Images().Selected(); }

std::optional<RunCheck> CliHost::CheckWriter() {
  if (env_.interrupt.Raised()) return std::nullopt;
  RunController* run = controller_->Run();
  std::optional<RunCheck> check;
  std::atomic<bool> done{false};
  // RUN waits on the writer for up to two time-outs; Ctrl+C closes the link
  // under it instead.
  std::thread identify([&] {
    check = run->CheckWriter();
    done.store(true);
  });
  const bool finished = env_.interrupt.WaitUntil([&] { return done.load(); });
  if (!finished) Abandon();
  identify.join();
  if (!finished) return std::nullopt;
  return check;
}

CliHost::Acted CliHost::Act(RunCheck check, bool openWindow) {
  RunController* run = controller_->Run();
  Acted acted;
  const auto started = std::chrono::steady_clock::now();
  acted.outcome = run->Act(std::move(check));
  if (acted.outcome != RunOutcome::UpdateStarted) return acted;
  if (!env_.interrupt.WaitUntil([run] { return !run->UpdateRunning(); })) {
    Abandon();
    while (run->UpdateRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    acted.interrupted = true;
    return acted;
  }
  acted.updateSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  acted.updated = update_.Succeeded();
  if (acted.updated && openWindow) run->OnUpdateFinished();
  return acted;
}

void CliHost::Abandon() {
  if (!controller_) return;
  controller_->Log().Close();
  controller_->CloseWithoutSaving();
}

}  // namespace vantrell::cli
