#include "gui/common/qt_settings_store.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vantrell::gui {

QString ApplicationName() {
  const QString path = QCoreApplication::applicationFilePath();
  return QFileInfo(path).completeBaseName().isEmpty() ? QStringLiteral("Vantrell") : QFileInfo(path).completeBaseName();
}

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(kSettingsKey), ApplicationName()) {}

std::int32_t QtSettingsStore::ReadInt(const std::string& section, const std::string& key, std::int32_t fallback) const {
  bool ok = false;
  const int value = settings_.value(QString::fromStdString(section + "/" + key), fallback).toInt(&ok);
  return ok ? value : fallback;
}

void QtSettingsStore::WriteInt(const std::string& section, const std::string& key, std::int32_t value) {
  settings_.setValue(QString::fromStdString(section + "/" + key), value);
  settings_.sync();
}

}  // namespace vantrell::gui
