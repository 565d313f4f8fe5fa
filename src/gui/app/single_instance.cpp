#include "gui/app/single_instance.h"

#include <QDir>
#include <QLocalSocket>

namespace vantrell::gui {

SingleInstance::SingleInstance(const QString& name)
    : name_(name), lock_(std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(name + ".instance.lock"))) {
  lock_->setStaleLockTime(0);  // a lock left by a crashed instance is taken over
  first_ = lock_->tryLock(0);
  if (first_) Listen();
  else AlertFirstInstance();
}

void SingleInstance::Listen() {
  QLocalServer::removeServer(name_);  // a socket left by a crashed instance
  server_.listen(name_);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
      peer->deleteLater();
      emit AlertRequested();
    }
  });
}

void SingleInstance::AlertFirstInstance() const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(1000)) socket.disconnectFromServer();
}

}  // namespace vantrell::gui
