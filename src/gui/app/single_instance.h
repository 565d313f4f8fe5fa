#pragma once
// One running program per user and executable name. The first instance
// holds a lock file and listens on a local socket of that name; a later
// start finds the lock, asks the first one to alert its window, and ends.
#include <memory>

#include <QLockFile>
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace vantrell::gui {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& name);

  // True for the first instance. A later one has already alerted the first.
  bool IsFirst() const { return first_; }

 signals:
  // Another start was refused: show the window to the operator.
  void AlertRequested();

 private:
  void Listen();
  void AlertFirstInstance() const;

  QString name_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
  bool first_ = false;
};

}  // namespace vantrell::gui
