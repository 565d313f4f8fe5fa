#include "gui/common/message_box_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "core/common/cancellation.h"
#include "core/operation/run_prompt.h"

namespace vantrell::gui {
namespace {

// Answers the next message box that opens with the given button, and
// remembers its caption and text.
struct BoxAnswerer {
  QString caption, text;
  void AnswerNext(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
          caption = box->windowTitle();
          text = box->text();
          box->button(button)->click();
          return;
        }
      }
      AnswerNext(button);  // not shown yet: look again
    });
  }
};

TEST(MessageBoxPrompt, ShowsCaptionAndTextWithPlainLineEnds) {
  MessageBoxPrompt prompt(nullptr);
  BoxAnswerer answerer;
  answerer.AnswerNext(QMessageBox::No);
  EXPECT_EQ(prompt.Show(Question("디바이스 교체?", "a\r\nb")), BoxAnswer::No);
  EXPECT_EQ(answerer.caption, QString::fromUtf8("디바이스 교체?"));
  EXPECT_EQ(answerer.text, "a\nb");
}

TEST(MessageBoxPrompt, AWorkerThreadsBoxIsShownOnTheGuiThread) {
  QWidget owner;
  MessageBoxPrompt prompt(&owner);
  BoxAnswerer answerer;
  BoxAnswer answer = BoxAnswer::Cancel;
  std::thread worker([&] { answer = prompt.Show(ApplicationBox("WriteUSB Error!")); });
  answerer.AnswerNext(QMessageBox::Ok);
  while (answerer.caption.isEmpty()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  worker.join();
  EXPECT_EQ(answer, BoxAnswer::Ok);
  EXPECT_EQ(answerer.caption, "Vantrell");
}

TEST(MessageBoxPrompt, ABoxOfAWorkerCancelledWhileItWasOnItsWayIsNeverShown) {
  QWidget owner;
  MessageBoxPrompt boxes(&owner);
  CancellationToken cancel;
  RunPrompt prompt(boxes, cancel.Control());
  std::atomic<bool> asking{false};
  std::atomic<bool> done{false};
  BoxAnswer answer = BoxAnswer::Ok;
  std::thread worker([&] {
    asking = true;
    answer = prompt.Show(ApplicationBox("State Error!"));
    done = true;
  });
  while (!asking) std::this_thread::yield();
  cancel.Cancel();  // the window closes before the GUI thread gets to the box
  bool shown = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = true;
      box->done(QMessageBox::Ok);
    }
  });
  watch.start(5);
  while (!done) QApplication::processEvents(QEventLoop::AllEvents, 20);
  worker.join();
  EXPECT_FALSE(shown);
  EXPECT_EQ(answer, BoxAnswer::No);
}

}  // namespace
}  // namespace vantrell::gui
