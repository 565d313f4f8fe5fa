// Console start of the program: binds the driver, opens the writer and asks
// which firmware it runs.
#include <cstdio>

#include "core/app/prompt.h"
#include "core/app/writer_exchange.h"
#include "core/app/writer_identity.h"
#include "core/link/driver_library.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/platform/program_path.h"

namespace {
// Boxes of a console start go to standard error.
class ConsolePrompt : public vantrell::Prompt {
 public:
  vantrell::BoxAnswer Show(const vantrell::PromptMessage& m) override {
    std::fprintf(stderr, "%s: %s\n", m.caption.c_str(), m.text.c_str());
    return vantrell::BoxAnswer::Ok;
  }
};
}  // namespace

int main() {
  using namespace vantrell;
  ConsolePrompt prompt;
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
  WriterExchange exchange(link, prompt);
  const auto identity = ExchangeIdentity(exchange);
  if (!identity) return 1;
  std::printf("writer firmware: device 0x%04X, version %x.%02x\n", identity->number, identity->version >> 8,
              identity->version & 0xFF);
  link.CloseLink();
  return 0;
}
