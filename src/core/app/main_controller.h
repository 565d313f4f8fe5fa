#pragma once
// What the main window holds for the whole run: the driver binding and the
// link, the log, the device catalogue and images, RUN and its update, and
// the start-up and close sequences around them.
#include <functional>
#include <memory>
#include <string>

#include "core/common/busy_state.h"
#include "core/devices/device_catalogue.h"
#include "core/devices/device_images.h"
#include "core/link/message_log.h"
#include "core/operation/run_clock.h"

namespace vantrell {

class FirmwareUpdateView;
class MainWindowControls;
class MainWindowShell;
class NandSession;
class ProgrammingSession;
class Prompt;
class ReadMasterSession;
class RunController;
class SettingsStore;
class UsbDriver;
class WriterLink;
class DeviceSelectionView;

struct MainWindowParts {
  Prompt& prompt;
  SettingsStore& settings;
  MainWindowShell& shell;
  DeviceSelectionView& selectionView;
  FirmwareUpdateView& updateView;
  MainWindowControls& controls;
};

struct ProgramLocation {
  std::string executablePath;    // empty when it could not be found
  std::string programDirectory;  // where the driver, the images and the program file are
};

class MainController {
 public:
  // clock times the download window's runs (tests hand in their own).
  MainController(MainWindowParts parts, ProgramLocation location, SecondsClock clock = SystemSeconds);
  ~MainController();

  // The start-up steps in their fixed order. False when the driver library
  // could not be bound: the window then closes once start-up has run.
  bool StartUp();
  // The same steps, but before each one stop() is asked: once it holds (the
  // program was asked to end), the remaining steps are left out, false is
  // returned, and start-up counts as not completed, so Close stores nothing
  // of the half-initialized state.
  bool StartUp(const std::function<bool()>& stop);
  // Saves the settings (only when start-up completed), closes the link and
  // the log.
  void Close();
  // Closes the link and the log like Close, storing nothing: the way out
  // when a companion tool takes over.
  void CloseWithoutSaving();
  // An update or a run, abandoned by the close, is still finding its way out.
  bool AnyWorkerRunning() const;

  // Selection change of the device combo box.
  void SelectDeviceImage(int comboIndex) { images_.SelectDeviceImage(comboIndex); }
  RunController* Run() { return run_.get(); }
  // The download window's runs; null when the driver could not be bound.
  ProgrammingSession* Programming() { return programming_.get(); }
  // The NAND window's workers; null when the driver could not be bound.
  NandSession* Nand() { return nand_.get(); }
  // Reads of the MASTER chip; null when the driver could not be bound.
  ReadMasterSession* ReadMaster() { return readMaster_.get(); }
  WriterLink* Link() { return link_.get(); }
  MessageLog& Log() { return log_; }
  DeviceImages& Images() { return images_; }
  const DeviceCatalogue& Catalogue() const { return catalogue_; }
  BusyState& Busy() { return busy_; }
  const ProgramLocation& Location() const { return location_; }

 private:
  bool BindDriver();
  void CreateLog();
  void RestorePosition();
  void ScanImages();
  void RestoreSelection();
  void SaveSettings();

  MainWindowParts parts_;
  ProgramLocation location_;
  SecondsClock clock_;
  MessageLog log_;
  std::unique_ptr<UsbDriver> driver_;
  std::unique_ptr<WriterLink> link_;
  DeviceCatalogue catalogue_;
  DeviceImages images_;
  BusyState busy_;
  bool startedUp_ = false;
  std::unique_ptr<RunController> run_;
  // These refer to the link, prompt and busy state above, so they go first.
  std::unique_ptr<ProgrammingSession> programming_;
  std::unique_ptr<NandSession> nand_;
  std::unique_ptr<ReadMasterSession> readMaster_;
};

}  // namespace vantrell
