#include "gui/app/single_instance.h"

#include <QDir>
#include <QLocalSocket>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace vantrell::gui {

QString InstancePlace(const QString& name) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty()) return QDir(runtime).filePath(name);
#if defined(_WIN32)
  return QDir(QDir::tempPath()).filePath(name);  // the temporary directory is the user's own
#else
  return QDir(QDir::tempPath()).filePath(QString("%1-%2").arg(name).arg(::getuid()));
#endif
}

SingleInstance::SingleInstance(const QString& place)
    : socketPath_(place), lock_(std::make_unique<QLockFile>(place + ".instance.lock")) {
  lock_->setStaleLockTime(0);  // a lock left by a crashed instance is taken over
  first_ = lock_->tryLock(0);
  if (first_) Listen();
  else AlertFirstInstance();
}

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
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (socket.waitForConnected(1000)) socket.disconnectFromServer();
}

}  // namespace vantrell::gui
