#include "gui/common/message_box_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <thread>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vantrell::gui
