#pragma once
// The per-user settings store: sections of 32-bit integer values under the
// program's key. The GUI backs it with the platform's store (the registry on
// Windows); tests use the in-memory one.
#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace vantrell {

inline constexpr const char* kSettingsKey = "Vantrell PC Program of Orbelle";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::int32_t ReadInt(const std::string& section, const std::string& key, std::int32_t fallback) const = 0;
  virtual void WriteInt(const std::string& section, const std::string& key, std::int32_t value) = 0;
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::int32_t ReadInt(const std::string& section, const std::string& key, std::int32_t fallback) const override {
    auto it = values_.find({section, key});
    return it == values_.end() ? fallback : it->second;
  }
  void WriteInt(const std::string& section, const std::string& key, std::int32_t value) override {
    values_[{section, key}] = value;
  }
  bool Has(const std::string& section, const std::string& key) const { return values_.count({section, key}) != 0; }

 private:
  std::map<std::pair<std::string, std::string>, std::int32_t> values_;
};

}  // namespace vantrell
