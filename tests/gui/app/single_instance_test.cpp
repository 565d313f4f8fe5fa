// Two starts of the real program: the second one alerts the first and ends
// without a window of its own.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

QProcess* StartProgram(const vantrell::test::TempDir& dir, QObject* parent) {
  auto* process = new QProcess(parent);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  // Everything the program keeps per user goes into the test's directory.
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TMPDIR", QString::fromStdString(dir.Path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.Path()));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.Path()));
  env.insert("ORBSIM_STATE_DIR", QString::fromStdString(dir.Path()));
  process->setProcessEnvironment(env);
  process->start(QString(VANTRELL_BIN_DIR) + "/Vantrell", {});
  return process;
}

TEST(SingleInstance, ASecondStartEndsAndLeavesTheFirstRunning) {
  vantrell::test::TempDir dir;
  QObject owner;
  QProcess* first = StartProgram(dir, &owner);
  ASSERT_TRUE(first->waitForStarted(5000));
  // Wait until the first instance has taken its lock and listens.
  const QString lock = QString::fromStdString(dir.File("Vantrell.instance.lock"));
  const QString socket = QString::fromStdString(dir.File("Vantrell"));
  QElapsedTimer timer;
  timer.start();
  while (!(QFileInfo::exists(lock) && QFileInfo::exists(socket)) && timer.elapsed() < 20000) QThread::msleep(20);
  ASSERT_EQ(first->state(), QProcess::Running) << first->readAllStandardError().toStdString();
  ASSERT_TRUE(QFileInfo::exists(socket));

  QProcess* second = StartProgram(dir, &owner);
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(first->state(), QProcess::Running);

  first->kill();
  first->waitForFinished(5000);
}

}  // namespace
