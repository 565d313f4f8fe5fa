#include "core/app/run_decision.h"

#include "core/devices/device_images.h"

namespace vantrell {

RunStep DecideRun(const RunFacts& f) {
  if (f.writer.number == f.image.number)
    return f.writer.version == f.image.version ? RunStep::OpenWindow : RunStep::AskVersionUpdate;
  if (!f.writerRegistered) return RunStep::AskReplaceUnregistered;
  if (!f.imageRegistered) return RunStep::RefuseUnregisteredImage;
  return RunStep::AskReplaceDevice;
}

PromptMessage RunStepMessage(RunStep step, const RunFacts& f) {
  switch (step) {
    case RunStep::AskVersionUpdate:
      return Question("버전 체크?", "Vantrell의 버전은 " + FormatDeviceVersion(f.writer.version) + "\r\n" +
                                       "PC Program의 버전은 " + FormatDeviceVersion(f.image.version) + "\r\n" +
                                       "업데이트 하시겠습니까?");
    case RunStep::AskReplaceUnregistered:
      return Question("디바이스 교체?",
                      "현재 Vantrell의 동작 프로그램은 등록되지 않은 디바이스용입니다.\r\n"
                      "선택된 디바이스로 교체하시겠습니까?");
    case RunStep::RefuseUnregisteredImage:
      return ApplicationBox("Current Device Name(PC's Binary File) is not registered!");
    case RunStep::AskReplaceDevice:
      return Question("디바이스 교체?", "현재 Vantrell는 <" + f.writerName + "> 용으로 설정되어 있습니다.\r\n" +
                                           "현재 선택된 디바이스는 <" + f.imageName + "> 용 입니다.\r\n" +
                                           "선택된 디바이스 이름이 Vantrell와 다릅니다.\r\n디바이스를 교체하시겠습니까?");
    case RunStep::OpenWindow:
      break;
  }
  return {};
}

DeviceWindowKind WindowKindFor(const std::string& deviceName) {
  const bool nand = deviceName.size() >= 4 && deviceName.compare(deviceName.size() - 4, 4, "NAND") == 0;
  return nand ? DeviceWindowKind::Nand : DeviceWindowKind::Download;
}

}  // namespace vantrell
