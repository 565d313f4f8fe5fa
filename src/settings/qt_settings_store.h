#pragma once
// The settings store on QSettings: organisation "Vantrell PC Program of
// Orbelle", application the program's name, one group per section. On
// Windows this is exactly the registry key the program has always used.
// Needs QtCore only, so the command-line program shares it with the windows.
#include <QSettings>
#include <QString>

#include "core/platform/settings_store.h"

namespace vantrell {

// The executable's file name without its extension ("Vantrell").
QString ApplicationName();

class QtSettingsStore : public SettingsStore {
 public:
  // The running executable's store unless another program's name is given.
  explicit QtSettingsStore(const QString& applicationName = ApplicationName());
  std::int32_t ReadInt(const std::string& section, const std::string& key, std::int32_t fallback) const override;
  void WriteInt(const std::string& section, const std::string& key, std::int32_t value) override;

 private:
  mutable QSettings settings_;
};

// The name the windowed program keeps its settings under: its fixed program
// file name without the extension.
QString WindowedProgramSettingsName();

}  // namespace vantrell
