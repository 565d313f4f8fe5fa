#include "cli/output/event_output.h"

namespace vantrell::cli {

Event MakeEvent(const char* name) { return Event{{"v", kEventSchemaVersion}, {"event", name}}; }

std::string JsonLine(const Event& event) {
  return event.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace vantrell::cli
