#include "gui/app/single_instance.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>

#if defined(_WIN32)
#include <windows.h>

#include "core/platform/utf8_path.h"
#else
#include <unistd.h>
#endif

namespace vantrell::gui {
namespace {

#if defined(_WIN32)
// A mutex name may not hold a backslash past its namespace: the place's
// separators become underscores. "Local\" keeps it to the user's session.
std::wstring MutexName(const QString& place) {
  QString name = QDir::fromNativeSeparators(place);
  name.replace('/', '_').replace(':', '_');
  return L"Local\\" + WideFromUtf8(name.toStdString());
}
#endif

}  // namespace

QString InstancePlace(const QString& name) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty()) return QDir(runtime).filePath(name);
#if defined(_WIN32)
  return QDir(QDir::tempPath()).filePath(name);  // the temporary directory is the user's own
#else
  return QDir(QDir::tempPath()).filePath(QString("%1-%2").arg(name).arg(::getuid()));
#endif
}

SingleInstance::SingleInstance(const QString& place) : socketPath_(place) {
  first_ = TakeLock(place);
  if (first_) Listen();
  else AlertFirstInstance();
}

#if defined(_WIN32)

bool SingleInstance::TakeLock(const QString& place) {
  mutex_ = CreateMutexW(nullptr, FALSE, MutexName(place).c_str());
  if (mutex_ == nullptr) return false;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
  CloseHandle(mutex_);
  mutex_ = nullptr;
  return false;
}

SingleInstance::~SingleInstance() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

void BringToFront(QWidget& window) {
  window.showNormal();
  window.raise();
  window.activateWindow();
  SetForegroundWindow(reinterpret_cast<HWND>(window.winId()));
  QApplication::alert(&window);
}

#else

bool SingleInstance::TakeLock(const QString& place) {
  lock_ = std::make_unique<QLockFile>(place + ".instance.lock");
  lock_->setStaleLockTime(0);  // a lock left by a crashed instance is taken over
  return lock_->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

void BringToFront(QWidget& window) {
  window.showNormal();
  window.raise();
  window.activateWindow();
  QApplication::alert(&window);
}

#endif

void SingleInstance::Listen() {
  QLocalServer::removeServer(socketPath_);  // a socket left by a crashed instance
  server_.listen(socketPath_);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
      peer->deleteLater();
      emit AlertRequested();
    }
  });
}

void SingleInstance::AlertFirstInstance() const {
#if defined(_WIN32)
  // This start is the operator's latest: the first instance may take the
  // foreground from it.
  AllowSetForegroundWindow(ASFW_ANY);
#endif
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (socket.waitForConnected(1000)) socket.disconnectFromServer();
}

}  // namespace vantrell::gui
