#pragma once
// Where every event of a command goes: JSON Lines on standard output with
// --json, otherwise lines for a person. Events come from the main thread and
// from workers; each one is written whole, in the order they were emitted.
#include <nlohmann/json.hpp>

namespace vantrell::cli {

// Every JSON object carries it as "v"; it changes only when a field changes meaning.
inline constexpr int kEventSchemaVersion = 2;

using Event = nlohmann::ordered_json;

// {"v": kEventSchemaVersion, "event": name}
Event MakeEvent(const char* name);

class EventOutput {
 public:
  virtual ~EventOutput() = default;
  virtual void Emit(const Event& event) = 0;
};

// One event as one line of JSON. Texts are UTF-8; bytes that are not (a
// path on a disk of another encoding) come out as U+FFFD instead of failing.
std::string JsonLine(const Event& event);

}  // namespace vantrell::cli
