#include "event_schema.h"

#include <functional>
#include <map>
#include <set>

namespace vantrell::cli::test {
namespace {

using Json = nlohmann::json;
using Check = std::function<bool(const Json&)>;

const Check kText = [](const Json& j) { return j.is_string(); };
const Check kCount = [](const Json& j) { return j.is_number_unsigned(); };
const Check kFile = [](const Json& j) { return j.is_null() || j.is_number_unsigned(); };
Check OneOf(std::set<std::string> values) {
  return [values](const Json& j) { return j.is_string() && values.count(j.get<std::string>()) != 0; };
}
const Check kIdentity = [](const Json& j) {
  return j.is_object() && j.value("number", Json()).is_number_unsigned() && j.value("name", Json()).is_string() &&
         j.value("version", Json()).is_string();
};
const Check kCounters = [](const Json& j) {
  return j.is_object() && j.value("total", Json()).is_number_integer() &&
         j.value("success", Json()).is_number_integer() && j.value("fail", Json()).is_number_integer();
};

const Check kFlash = [](const Json& j) {
  return j.is_object() && j.value("name", Json()).is_string() && j.value("blockCount", Json()).is_number_integer() &&
         j.value("blockSize", Json()).is_number_integer() && j.value("badBlockCount", Json()).is_number_integer() &&
         j.value("fatStartBlock", Json()).is_number_integer();
};

struct Fields {
  std::map<std::string, Check> required;
  std::map<std::string, Check> optional;
};

const std::map<std::string, Fields>& Kinds() {
  static const std::map<std::string, Fields> kinds = {
      {"start", {{{"command", kText}}, {{"image", kText}, {"device", kText}, {"version", kText}, {"sockets", kCount}}}},
      {"stage", {{{"name", kText}, {"file", kFile}}, {{"path", kText}}}},
      {"progress",
       {{{"stage", kText}, {"file", kFile}, {"done", kCount}, {"total", kCount}, {"unit", OneOf({"byte", "sector", "block"})}},
        {}}},
      {"socket",
       {{{"socket", kCount},
         {"label", kText},
         {"result", OneOf({"ok", "error"})},
         {"verdict", OneOf({"passed", "read-id", "failed", "checksum", "not-finished"})},
         {"text", kText},
         {"pack", kText}},
        {{"stage", kText}, {"expected", kText}, {"actual", kText}}}},
      {"box",
       {{{"caption", kText},
         {"text", kText},
         {"question", [](const Json& j) { return j.is_boolean(); }},
         {"answer", OneOf({"ok", "yes", "no", "cancel"})}},
        {}}},
      {"result",
       {{{"command", kText}, {"exit", [](const Json& j) { return j.is_number_integer(); }}},
        {{"code", kText},
         {"counters", kCounters},
         {"elapsed", [](const Json& j) { return j.is_number(); }},
         {"bytes", kCount},
         {"rate", kCount},
         {"error", kText},
         {"writer", kIdentity},
         {"image", kIdentity},
         {"decision", kText},
         {"flash", kFlash},
         {"badBlocks", [](const Json& j) { return j.is_array(); }}}}},
      {"log", {{{"text", kText}}, {}}},
  };
  return kinds;
}

}  // namespace

std::string SchemaProblem(const Json& event) {
  if (!event.is_object() || event.value("v", Json()) != 2) return "no \"v\": 2 in " + event.dump();
  const auto kind = Kinds().find(event.value("event", ""));
  if (kind == Kinds().end()) return "unknown event in " + event.dump();
  for (const auto& [name, check] : kind->second.required) {
    if (!event.contains(name) || !check(event[name])) return "bad or missing \"" + name + "\" in " + event.dump();
  }
  for (const auto& [name, check] : kind->second.optional) {
    if (event.contains(name) && !check(event[name])) return "bad \"" + name + "\" in " + event.dump();
  }
  if (event["event"] == "progress" && event["done"].get<std::uint64_t>() > event["total"].get<std::uint64_t>()) {
    return "progress past its total in " + event.dump();
  }
  return {};
}

}  // namespace vantrell::cli::test
