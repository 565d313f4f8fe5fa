#include "settings/qt_settings_store.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/platform/resource_table.h"

namespace vantrell {

QString ApplicationName() {
  const QString path = QCoreApplication::applicationFilePath();
  return QFileInfo(path).completeBaseName().isEmpty() ? QStringLiteral("Vantrell") : QFileInfo(path).completeBaseName();
}

QString WindowedProgramSettingsName() { return QFileInfo(QString::fromUtf8(kProgramFileName)).completeBaseName(); }

QtSettingsStore::QtSettingsStore(const QString& applicationName)
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(kSettingsKey), applicationName) {}

std::int32_t QtSettingsStore::ReadInt(const std::string& section, const std::string& key, std::int32_t fallback) const {
  bool ok = false;
  const int value = settings_.value(QString::fromStdString(section + "/" + key), fallback).toInt(&ok);
  return ok ? value : fallback;
}

void QtSettingsStore::WriteInt(const std::string& section, const std::string& key, std::int32_t value) {
  settings_.setValue(QString::fromStdString(section + "/" + key), value);
  settings_.sync();
}

}  // namespace vantrell
