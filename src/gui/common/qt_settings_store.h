#pragma once
// The settings store on QSettings: organisation "Vantrell PC Program of
// Orbelle", application the executable's name, one group per section. On
// Windows this is exactly the registry key the program has always used.
#include <QSettings>

#include "core/platform/settings_store.h"

namespace vantrell::gui {

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  std::int32_t ReadInt(const std::string& section, const std::string& key, std::int32_t fallback) const override;
  void WriteInt(const std::string& section, const std::string& key, std::int32_t value) override;

 private:
  mutable QSettings settings_;
};

// The executable's file name without its extension ("Vantrell").
QString ApplicationName();

}  // namespace vantrell::gui
