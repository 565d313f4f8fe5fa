// The real program as the desktop starts and ends it: a second start alerts
// the first and ends without a window of its own; a request to end closes it
// properly; another user's instance is not in the way.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QProcessEnvironment>

#include <csignal>
#include <unistd.h>

#include <QSettings>

#include <gtest/gtest.h>

#include "gui/app/single_instance.h"
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

// Waits until the program has taken its lock and listens.
bool WaitUntilListening(const vantrell::test::TempDir& dir, QProcess& program) {
  const QString lock = QString::fromStdString(dir.File("Vantrell.instance.lock"));
  const QString socket = QString::fromStdString(dir.File("Vantrell"));
  QElapsedTimer timer;
  timer.start();
  while (!(QFileInfo::exists(lock) && QFileInfo::exists(socket)) && timer.elapsed() < 20000) QThread::msleep(20);
  EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
  return QFileInfo::exists(socket);
}

TEST(SingleInstance, ASecondStartEndsAndLeavesTheFirstRunning) {
  vantrell::test::TempDir dir;
  QObject owner;
  QProcess* first = StartProgram(dir, &owner);
  ASSERT_TRUE(first->waitForStarted(5000));
  ASSERT_TRUE(WaitUntilListening(dir, *first));

  QProcess* second = StartProgram(dir, &owner);
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(first->state(), QProcess::Running);

  first->kill();
  first->waitForFinished(5000);
}

TEST(ProgramEnd, AnEndRequestClosesTheWindowWritesTheSettingsAndEndsTheProcess) {
  vantrell::test::TempDir dir;
  QObject owner;
  QProcess* program = StartProgram(dir, &owner);
  ASSERT_TRUE(program->waitForStarted(5000));
  ASSERT_TRUE(WaitUntilListening(dir, *program));
  // What a session manager sends at logout; the window manager's close
  // request takes the same way through the window's close handler.
  ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
  ASSERT_TRUE(program->waitForFinished(5000));
  EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program->exitCode(), 0);
  QSettings stored(QString::fromStdString(dir.File("Vantrell PC Program of Orbelle/Vantrell.conf")),
                   QSettings::IniFormat);
  EXPECT_EQ(stored.value("PreviousSetValue/SelectedDev", -1).toInt(), 0);
  EXPECT_TRUE(stored.contains("Initialization/Width"));
}

TEST(SingleInstance, EachUsersLockDirectoryHasItsOwnFirstInstance) {
  vantrell::test::TempDir mine;
  vantrell::test::TempDir theirs;
  vantrell::gui::SingleInstance first(QString::fromStdString(mine.File("Vantrell")));
  vantrell::gui::SingleInstance other(QString::fromStdString(theirs.File("Vantrell")));
  EXPECT_TRUE(first.IsFirst());
  EXPECT_TRUE(other.IsFirst());
}

TEST(SingleInstance, TheUsersRuntimeDirectoryElseTheUserIdInTheName) {
  const bool had = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", "/run/user/4321");
  const QString runtime = vantrell::gui::InstancePlace("Vantrell");
  qunsetenv("XDG_RUNTIME_DIR");
  const QString shared = vantrell::gui::InstancePlace("Vantrell");
  if (had) qputenv("XDG_RUNTIME_DIR", saved);
  EXPECT_EQ(runtime, "/run/user/4321/Vantrell");
  EXPECT_TRUE(shared.endsWith(QString("/Vantrell-%1").arg(::getuid()))) << shared.toStdString();
}

}  // namespace
