// Console start of the program: binds the driver, opens the writer and asks
// which firmware it runs.
#include <cstdio>

#include "core/link/driver_library.h"
#include "core/link/log_markers.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/platform/program_path.h"

int main() {
  using namespace vantrell;
  MessageLog log;
  log.Create(LogPathForExecutable(ExecutablePath()));
  DriverBinding binding = BindDriverLibrary(ProgramDirectory());
  if (!binding) {
    std::fprintf(stderr, "OrbBulkUSB.dll 파일 로딩 실패! (%s)\n", binding.error.c_str());
    return 1;
  }
  WriterLink link(*binding.driver, log);
  if (!link.OpenLink()) {
    std::fprintf(stderr, "Orbelle USB Driver can't be Open!\n");
    return 1;
  }
  link.ClearInput();
  log.LogText(StartMarker("Get Device Name & Version"));
  RequestPacket request(0xF0);
  ReplyPacket reply;
  if (link.SendRequest(request) == 0 || link.ReceiveReply(reply) < 6) {
    std::fprintf(stderr, "ReadUSB Error!\n");
    return 1;
  }
  log.LogText(EndMarker(CommandFamily::Writer, "Get Device Name & Version"));
  std::printf("writer firmware: device 0x%04X, version %x.%02x\n", *reply.U16At(2), reply.bytes[5], reply.bytes[4]);
  link.CloseLink();
  return 0;
}
