#include "cli/host/writer_facts.h"

#include "core/devices/device_images.h"

namespace vantrell::cli {
namespace {

Event Identity(const WriterIdentity& identity, const std::string& name) {
  return Event{{"number", identity.number}, {"name", name}, {"version", FormatDeviceVersion(identity.version)}};
}

}  // namespace

Event ComparisonFields(const RunCheck& check) {
  return Event{{"writer", Identity(check.facts.writer, check.facts.writerName)},
               {"image", Identity(check.facts.image, check.facts.imageName)},
               {"decision", DecisionName(check.step)}};
}

const char* DecisionName(RunStep step) {
  switch (step) {
    case RunStep::OpenWindow:
      return "same";
    case RunStep::AskVersionUpdate:
      return "update-version";
    case RunStep::AskReplaceUnregistered:
      return "replace-unregistered";
    case RunStep::RefuseUnregisteredImage:
      return "image-not-registered";
    case RunStep::AskReplaceDevice:
      return "replace-device";
  }
  return "unknown";
}

ExitCode ExitForRunStop(RunStop stop) {
  return stop == RunStop::ImageNotRunnable ? ExitCode::BadInput : ExitCode::LinkError;
}

}  // namespace vantrell::cli
