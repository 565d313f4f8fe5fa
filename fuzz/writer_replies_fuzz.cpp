// The writer's own commands fed scripted replies: the identity exchange
// (0xF0) and a whole firmware update (0xF1 to 0xF5). Nothing may depend on
// bytes that did not arrive: the result, the boxes and the log are the same
// whatever lies behind the reply.
#include <optional>

#include "core/app/firmware_update.h"
#include "core/app/firmware_update_view.h"
#include "core/common/prompt.h"
#include "core/app/writer_exchange.h"
#include "core/app/writer_identity.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "fuzz_support.h"

namespace vantrell {
namespace {

class RecordingPrompt final : public Prompt {
 public:
  BoxAnswer Show(const PromptMessage& message) override {
    texts += message.text + "\n";
    return BoxAnswer::Ok;
  }
  std::string texts;
};

class CountingView final : public FirmwareUpdateView {
 public:
  void SetDeviceStatus(const std::string& text) override { statuses += text + "\n"; }
  void ResetProgress(int upper) override {
    FUZZ_CHECK(upper >= 0);
    upper_ = upper;
    steps_ = 0;
  }
  void StepProgress() override { FUZZ_CHECK(++steps_ <= upper_); }
  void SetByteCounter(const ByteCount& count) override { FUZZ_CHECK(count.done <= count.total); }
  void UpdateFinished() override { ++finished; }
  std::string statuses;
  int finished = 0;

 private:
  int upper_ = 0;
  int steps_ = 0;
};

struct Outcome {
  std::optional<WriterIdentity> identity;
  bool updated = false;
  std::string boxes, statuses, log;
};

Outcome Run(const std::vector<std::vector<std::uint8_t>>& replies, const std::vector<std::uint8_t>& image,
            std::uint8_t poison) {
  fuzz::ScriptedWriter writer(replies, poison);
  MessageLog log;
  const std::string path = fuzz::ScratchPath("writer.log");
  log.Create(path);
  WriterLink link(writer, log);
  RecordingPrompt prompt;
  CountingView view;
  Outcome o;
  link.OpenLink();
  WriterExchange exchange(link, prompt);
  o.identity = ExchangeIdentity(exchange);
  o.updated = UpdateWriterFirmware({link, prompt, view, image, {}});
  log.Close();
  o.boxes = prompt.texts;
  o.statuses = view.statuses;
  o.log = fuzz::ReadWhole(path);
  std::remove(path.c_str());
  return o;
}

}  // namespace
}  // namespace vantrell

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace vantrell;
  FuzzedDataProvider data(bytes, size);
  const auto image = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, 300));
  const auto replies = fuzz::SplitReplies(data);
  const Outcome x = Run(replies, image, fuzz::kPoisons[0]);
  const Outcome y = Run(replies, image, fuzz::kPoisons[1]);
  FUZZ_CHECK(x.identity.has_value() == y.identity.has_value());
  if (x.identity) FUZZ_CHECK(x.identity->number == y.identity->number && x.identity->version == y.identity->version);
  FUZZ_CHECK(x.updated == y.updated && x.boxes == y.boxes && x.statuses == y.statuses && x.log == y.log);
  return 0;
}
