#include "core/app/main_controller.h"

#include "core/app/log_buffering.h"
#include "core/app/main_window_shell.h"
#include "core/common/prompt.h"
#include "core/app/run_controller.h"
#include "core/link/driver_library.h"
#include "core/link/writer_link.h"
#include "core/master/read_master_session.h"
#include "core/nand/operations/nand_session.h"
#include "core/platform/settings_store.h"
#include "core/program/session/programming_session.h"

namespace vantrell {
namespace {

constexpr const char* kInitialization = "Initialization";
constexpr const char* kPreviousSetValue = "PreviousSetValue";

}  // namespace

MainController::MainController(MainWindowParts parts, ProgramLocation location, SecondsClock clock)
    : parts_(parts),
      location_(std::move(location)),
      clock_(std::move(clock)),
      images_(location_.programDirectory, log_, parts.prompt, parts.selectionView, catalogue_) {
  BufferLogDuringOperations(busy_, log_);
}

MainController::~MainController() = default;

bool MainController::StartUp() { return StartUp([] { return false; }); }

bool MainController::StartUp(const std::function<bool()>& stop) {
  if (stop()) return false;
  const bool driverBound = BindDriver();
  const std::function<void()> steps[] = {
      [this] { CreateLog(); },
      [this] { RestorePosition(); },
      [this] { ScanImages(); },
      [this] { RestoreSelection(); },
      [this] { catalogue_.LoadDeviceList(location_.programDirectory, parts_.prompt); },
      [this] { images_.SelectDeviceImage(parts_.shell.ComboIndex()); },
  };
  for (const auto& step : steps) {
    if (stop()) return false;
    step();
  }
  // A request during the last step still leaves start-up unfinished.
  if (stop()) return false;
  startedUp_ = driverBound;
  return driverBound;
}

bool MainController::BindDriver() {
  DriverBinding binding = BindDriverLibrary(location_.programDirectory);
  if (!binding) {
    parts_.prompt.Tell(WindowBox("Error", "OrbBulkUSB.dll 파일 로딩 실패!"));
    return false;
  }
  driver_ = std::move(binding.driver);
  link_ = std::make_unique<WriterLink>(*driver_, log_);
  run_ = std::make_unique<RunController>(RunController::Parts{*link_, parts_.prompt, catalogue_, images_,
                                                              parts_.updateView, parts_.controls, busy_});
  programming_ = std::make_unique<ProgrammingSession>(*link_, parts_.prompt, busy_, clock_);
  nand_ = std::make_unique<NandSession>(*link_, parts_.prompt, busy_);
  readMaster_ = std::make_unique<ReadMasterSession>(*link_, parts_.prompt, busy_);
  return true;
}

void MainController::CreateLog() {
  if (location_.executablePath.empty()) {
    parts_.prompt.Tell(ApplicationBox("GetModuleFileName Failed!"));
    return;  // no path, no log: the program goes on without one
  }
  log_.Create(LogPathForExecutable(location_.executablePath));
}

void MainController::RestorePosition() {
  const int top = parts_.settings.ReadInt(kInitialization, "VertPos", 0);
  const int left = parts_.settings.ReadInt(kInitialization, "HorizPos", 0);
  parts_.shell.MoveWindowTo(left, top);
}

void MainController::ScanImages() {
  if (!images_.ScanDeviceImages()) parts_.prompt.Tell(ApplicationBox("Device Writing Binary File Find Error!"));
}

void MainController::RestoreSelection() {
  const int stored = parts_.settings.ReadInt(kPreviousSetValue, "SelectedDev", 0);
  parts_.shell.SetComboIndex(stored < 0 ? 0 : stored);
}

void MainController::Close() {
  // A window that dismissed itself during start-up was never the operator's:
  // what it holds would overwrite the stored position and device.
  if (startedUp_) SaveSettings();
  CloseWithoutSaving();
}

bool MainController::AnyWorkerRunning() const {
  return (run_ && run_->UpdateRunning()) || (programming_ && programming_->IsRunning()) ||
         (nand_ && nand_->IsRunning()) || (readMaster_ && readMaster_->IsRunning());
}

void MainController::CloseWithoutSaving() {
  if (run_) run_->AbandonUpdate();
  if (programming_) programming_->Abandon();
  if (nand_) nand_->Abandon();
  if (readMaster_) readMaster_->Abandon();
  if (link_) link_->CloseLink();
  log_.Close();
}

void MainController::SaveSettings() {
  const WindowRect r = parts_.shell.RestoredRect();
  parts_.settings.WriteInt(kInitialization, "VertPos", r.top);
  parts_.settings.WriteInt(kInitialization, "HorizPos", r.left);
  parts_.settings.WriteInt(kInitialization, "Height", r.height);
  parts_.settings.WriteInt(kInitialization, "Width", r.width);
  parts_.settings.WriteInt(kPreviousSetValue, "SelectedDev", parts_.shell.ComboIndex());
}

}  // namespace vantrell
