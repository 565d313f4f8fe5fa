#pragma once
// One running program per user and executable name. The first instance
// holds a lock file (on Windows a named mutex in the session's namespace)
// and listens on a local socket, both named for the user; a later start
// finds the lock, asks the first one to alert its window, and ends. Another
// user's program is not seen.
#include <memory>

#include <QLockFile>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QWidget>

namespace vantrell::gui {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // place is the path of the socket; the lock file is place + ".instance.lock"
  // (see InstancePlace).
  explicit SingleInstance(const QString& place);
  ~SingleInstance() override;

  // True for the first instance. A later one has already alerted the first.
  bool IsFirst() const { return first_; }

 signals:
  // Another start was refused: show the window to the operator.
  void AlertRequested();

 private:
  void Listen();
  void AlertFirstInstance() const;

  bool TakeLock(const QString& place);

  QString socketPath_;
#if defined(_WIN32)
  void* mutex_ = nullptr;  // held while the first instance runs; the system drops it at the end
#else
  std::unique_ptr<QLockFile> lock_;
#endif
  QLocalServer server_;
  bool first_ = false;
};

// Where the user's instance of the program named name keeps its socket and
// lock: $XDG_RUNTIME_DIR/name when the user has a runtime directory (private
// to the user), else name-<user id> in the temporary directory.
QString InstancePlace(const QString& name);

// Brings the window in front of the desktop's others (a Windows desktop
// lets only the program the operator used last take the foreground; the
// second start, which the operator just made, hands its right over).
void BringToFront(QWidget& window);

}  // namespace vantrell::gui
