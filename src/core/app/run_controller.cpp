#include "core/app/run_controller.h"

#include <optional>
#include <vector>

#include "core/app/firmware_update.h"
#include "core/app/firmware_update_view.h"
#include "core/app/main_window_controls.h"
#include "core/common/prompt.h"
#include "core/app/run_decision.h"
#include "core/app/writer_exchange.h"
#include "core/devices/device_catalogue.h"
#include "core/operation/link_open_failure.h"
#include "core/operation/run_prompt.h"
#include "core/devices/device_images.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/common/busy_refusal.h"

namespace vantrell {
namespace {

WriterIdentity HeaderOf(std::span<const std::uint8_t> image) {
  // Only called with a whole image, which is at least its 4-byte header.
  return {static_cast<std::uint16_t>(image[0] | (image[1] << 8)),
          static_cast<std::uint16_t>(image[2] | (image[3] << 8))};
}

// The update has closed the link when it reports success, so it gives the
// busy state back before the device window opens: that window's runs must
// be able to take it while the update still waits for the window to close.
class LinkHandedOver final : public FirmwareUpdateView {
 public:
  LinkHandedOver(FirmwareUpdateView& view, BusyLease& lease) : view_(view), lease_(lease) {}
  void SetDeviceStatus(const std::string& text) override { view_.SetDeviceStatus(text); }
  void ResetProgress(int upper) override { view_.ResetProgress(upper); }
  void StepProgress() override { view_.StepProgress(); }
  void SetByteCounter(const ByteCount& count) override { view_.SetByteCounter(count); }
  void UpdateFinished() override {
    lease_.Release();
    view_.UpdateFinished();
  }

 private:
  FirmwareUpdateView& view_;
  BusyLease& lease_;
};

}  // namespace

RunController::~RunController() {
  if (worker_.joinable()) worker_.join();
}

void RunController::OnRun() {
  RunCheck check = CheckWriter();
  if (check.stop == RunStop::None) Act(std::move(check));
}

RunCheck RunController::CheckWriter() {
  RunCheck check;
  if (!p_.images.HasImage()) {
    p_.prompt.Tell(ApplicationBox("Binary File Can't Select!"));
    check.stop = RunStop::ImageNotRunnable;
    return check;
  }
  if (p_.images.Selected().number == kTerminatorNumber) {
    p_.prompt.Tell(ApplicationBox("등록되지 않은 디바이스입니다.\r\n바이너리 파일을 확인하십시오!"));
    check.stop = RunStop::ImageNotRunnable;
    return check;
  }
  // The identification uses the link like any operation; the device window
  // gets it back before it opens, the update keeps it.
  if (UpdateRunning()) {
    p_.prompt.Tell(ApplicationBox(kWriterBusyText));
    check.stop = RunStop::Busy;
    return check;
  }
  check.lease = TakeLinkOrSayBusy(p_.busy, p_.prompt);
  if (!check.lease) {
    check.stop = RunStop::Busy;
    return check;
  }
  if (const RunStop stop = Identify(); stop != RunStop::None) {
    check.stop = stop;
    return check;
  }
  check.facts = Compare(HeaderOf(p_.images.Image()));
  check.step = DecideRun(check.facts);
  return check;
}

RunOutcome RunController::Act(RunCheck check) {
  BusyLease lease = check.lease ? std::move(*check.lease) : BusyLease();
  switch (check.step) {
    case RunStep::OpenWindow:
      lease.Release();
      OpenDeviceWindow();
      return RunOutcome::WindowOpened;
    case RunStep::RefuseUnregisteredImage:
      p_.prompt.Tell(RunStepMessage(check.step, check.facts));
      return RunOutcome::Refused;
    case RunStep::AskVersionUpdate:
      if (p_.prompt.Agrees(RunStepMessage(check.step, check.facts))) {
        StartUpdate(std::move(lease));
        return RunOutcome::UpdateStarted;
      }
      lease.Release();
      OpenDeviceWindow();
      return RunOutcome::WindowOpened;
    case RunStep::AskReplaceUnregistered:
    case RunStep::AskReplaceDevice:
      if (!p_.prompt.Agrees(RunStepMessage(check.step, check.facts))) return RunOutcome::Declined;
      StartUpdate(std::move(lease));
      return RunOutcome::UpdateStarted;
  }
  return RunOutcome::Refused;
}

RunStop RunController::Identify() {
  MessageLog& log = p_.link.Log();
  if (!p_.link.OpenLink()) {
    ReportLinkOpenFailure(p_.prompt, log);
    return RunStop::LinkNotOpened;
  }
  p_.link.ClearInput();
  WriterExchange exchange(p_.link, p_.prompt);
  const auto identity = ExchangeIdentity(exchange);
  if (!identity) return RunStop::LinkFailed;
  writer_ = *identity;
  return RunStop::None;
}

RunFacts RunController::Compare(const WriterIdentity& image) {
  MessageLog& log = p_.link.Log();
  const DeviceRecord& writerRecord = p_.catalogue.DeviceAt(p_.catalogue.FindDevice(writer_.number));
  const DeviceRecord& imageRecord = p_.catalogue.DeviceAt(p_.catalogue.FindDevice(image.number));
  runDeviceName_ = imageRecord.name;
  log.LogMessage("현재 Vantrell는 <%s> 용으로 설정되어 있습니다.\r\n", writerRecord.name.c_str());
  log.LogMessage("현재 선택된 디바이스는 <%s> 용 입니다.\r\n\r\n", runDeviceName_.c_str());
  log.LogMessage("현재 Vantrell의 버전은 < 0x%X > 입니다.\r\n", writer_.version);
  log.LogMessage("현재 선택된 디바이스의 버전은 < %x.%02x > 입니다.\r\n\r\n", image.version >> 8, image.version & 0xFF);
  return {writer_, image, !writerRecord.IsTerminator(), !imageRecord.IsTerminator(), writerRecord.name,
          imageRecord.name};
}

void RunController::StartUpdate(BusyLease lease) {
  if (worker_.joinable()) worker_.join();  // the previous update has ended
  updateRunning_->store(true);
  p_.controls.SetRunControlsEnabled(false);
  std::vector<std::uint8_t> image(p_.images.Image().begin(), p_.images.Image().end());
  worker_ = std::thread(
      [this, image = std::move(image), running = updateRunning_, cancel = cancel_, lease = std::move(lease)]() mutable {
        LinkHandedOver view(p_.updateView, lease);
        RunPrompt prompt(p_.prompt, cancel.Control());
        UpdateWriterFirmware({p_.link, prompt, view, image, cancel});
        // The link is free before RUN comes back, so RUN is never refused
        // the moment it can be pressed.
        lease.Release();
        if (!cancel.IsCancelled()) p_.controls.SetRunControlsEnabled(true);
        running->store(false);
      });
}

void RunController::OnUpdateFinished() { OpenDeviceWindow(); }

void RunController::OpenDeviceWindow() { p_.controls.ShowDeviceWindow(WindowKindFor(runDeviceName_)); }

void RunController::AbandonUpdate() {
  if (!UpdateRunning()) return;
  cancel_.Cancel();
  p_.link.CloseLink();
}

}  // namespace vantrell
