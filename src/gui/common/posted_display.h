#pragma once
// A display that a worker updates at every packet: a progress text, a byte
// counter, a progress bar's steps. The worker never waits for the GUI thread:
// it leaves its latest value and, unless an update is already on its way,
// posts one. The GUI thread shows whatever is latest when it gets there, so
// at most one update per display is pending, the last value is always shown,
// and the update keeps its place among the calls the worker makes and waits
// for (they all go through the GUI thread's event queue, in order).
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace vantrell::gui {

template <typename Value>
class PostedDisplay {
 public:
  // show runs on the GUI thread with the latest value.
  explicit PostedDisplay(std::function<void(const Value&)> show) : state_(std::make_shared<State>(std::move(show))) {}
  // An update already posted finds nothing to show.
  ~PostedDisplay() {
    std::lock_guard<std::mutex> lock(state_->showMutex);
    state_->show = nullptr;
  }
  PostedDisplay(const PostedDisplay&) = delete;
  PostedDisplay& operator=(const PostedDisplay&) = delete;

  void Post(Value value) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    {
      std::lock_guard<std::mutex> lock(state_->valueMutex);
      state_->latest = std::move(value);
      if (state_->pending) return;
      state_->pending = true;
    }
    if (QThread::currentThread() == app->thread()) return state_->ShowLatest();
    QMetaObject::invokeMethod(app, [state = state_] { state->ShowLatest(); }, Qt::QueuedConnection);
  }

 private:
  struct State {
    explicit State(std::function<void(const Value&)> f) : show(std::move(f)) {}
    void ShowLatest() {
      std::optional<Value> value;
      {
        std::lock_guard<std::mutex> lock(valueMutex);
        value.swap(latest);
        pending = false;
      }
      std::lock_guard<std::mutex> lock(showMutex);
      if (value && show) show(*value);
    }

    std::mutex valueMutex;
    std::optional<Value> latest;
    bool pending = false;
    std::mutex showMutex;
    std::function<void(const Value&)> show;
  };
  std::shared_ptr<State> state_;
};

}  // namespace vantrell::gui
