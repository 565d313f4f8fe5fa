#include "gui/common/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace vantrell::gui {
namespace {

struct Mailbox {
  std::mutex mutex;
  std::deque<std::function<void()>> posted;

  // On the GUI thread: runs what has been posted so far, oldest first.
  void RunPosted() {
    for (;;) {
      std::function<void()> work;
      {
        std::lock_guard<std::mutex> lock(mutex);
        if (posted.empty()) return;
        work = std::move(posted.front());
        posted.pop_front();
      }
      work();
    }
  }

  // When the application goes, what it will never run is let go, so that a
  // worker waiting for it goes on.
  void Drop() {
    std::deque<std::function<void()>> dropped;
    std::lock_guard<std::mutex> lock(mutex);
    dropped.swap(posted);
  }
};

Mailbox& TheMailbox() {
  static Mailbox* mailbox = new Mailbox;  // outlives every static destructor
  return *mailbox;
}

void DropPostedWork() { TheMailbox().Drop(); }

// Lives on the GUI thread; its Wake is called there for every post. The
// call is queued by name, so Qt alone makes and deletes the event that
// carries it, and nothing of it was written by the poster's own code.
class MailboxReceiver final : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE void Wake() { TheMailbox().RunPosted(); }
};

// Made on the GUI thread as the application starts, so that no worker's
// writes are in it.
std::atomic<QObject*> theReceiver{nullptr};

void MakeReceiver() {
  if (theReceiver.load() == nullptr) theReceiver.store(new MailboxReceiver);
  qAddPostRoutine(DropPostedWork);
}
Q_COREAPP_STARTUP_FUNCTION(MakeReceiver)

}  // namespace

void PostToGuiThread(std::function<void()> work) {
  QObject* receiver = theReceiver.load();
  if (QCoreApplication::instance() == nullptr || receiver == nullptr) return;
  {
    std::lock_guard<std::mutex> lock(TheMailbox().mutex);
    TheMailbox().posted.push_back(std::move(work));
  }
  // The call carries nothing: whichever comes first runs everything posted
  // by then, and the others find the mailbox empty.
  QMetaObject::invokeMethod(receiver, "Wake", Qt::QueuedConnection);
}

void RunOnGuiThread(QObject* context, const std::function<void()>& work) {
  if (context == nullptr) return;
  if (QThread::currentThread() == context->thread()) {
    work();
    return;
  }
  blockingGuiCalls.fetch_add(1, std::memory_order_relaxed);
  struct Handoff {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
  };
  auto handoff = std::make_shared<Handoff>();
  // Whatever becomes of the call, the last copy of this lets the caller go.
  std::shared_ptr<void> release(nullptr, [handoff](void*) {
    {
      std::lock_guard<std::mutex> lock(handoff->mutex);
      handoff->done = true;
    }
    handoff->finished.notify_all();
  });
  PostToGuiThread([release, alive = QPointer<QObject>(context), &work] {
    if (alive) work();
  });
  release.reset();
  std::unique_lock<std::mutex> lock(handoff->mutex);
  handoff->finished.wait(lock, [&] { return handoff->done; });
}

}  // namespace vantrell::gui

#include "gui_thread.moc"
