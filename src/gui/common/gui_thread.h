#pragma once
// Workers never touch widgets: what they show reaches the GUI thread through
// here, synchronously, like a window message sent from another thread.
#include <functional>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace vantrell::gui {

// Runs work on context's thread and waits for it. Runs it at once when the
// caller already is on that thread.
inline void RunOnGuiThread(QObject* context, const std::function<void()>& work) {
  if (context == nullptr) return;
  if (QThread::currentThread() == context->thread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(context, work, Qt::BlockingQueuedConnection);
}

}  // namespace vantrell::gui
