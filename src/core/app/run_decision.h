#pragma once
// What RUN does once it knows the writer's firmware and the selected image:
// open the device's window, offer an update, or refuse.
#include <cstdint>
#include <string>

#include "core/common/prompt.h"
#include "core/app/writer_identity.h"

namespace vantrell {

struct RunFacts {
  WriterIdentity writer;    // what the writer runs
  WriterIdentity image;     // the selected image's header
  bool writerRegistered = false;
  bool imageRegistered = false;
  std::string writerName;   // "Not Registered!" when unknown
  std::string imageName;
};

enum class RunStep {
  OpenWindow,               // same device, same version
  AskVersionUpdate,         // same device, other version
  AskReplaceUnregistered,   // the writer runs an unlisted device's firmware
  RefuseUnregisteredImage,  // the image's device is not listed
  AskReplaceDevice,         // both listed, different devices
};

RunStep DecideRun(const RunFacts& facts);

// The question (or, for the refusal, the box) of a step other than OpenWindow.
PromptMessage RunStepMessage(RunStep step, const RunFacts& facts);

enum class DeviceWindowKind { Download, Nand };

// A name whose last four characters are exactly "NAND" is served by the NAND window.
DeviceWindowKind WindowKindFor(const std::string& deviceName);

}  // namespace vantrell
