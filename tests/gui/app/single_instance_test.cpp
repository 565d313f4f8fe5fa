// The real program as the desktop starts and ends it: a second start alerts
// the first and ends without a window of its own; a request to end closes it
// properly; another user's instance is not in the way.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <QProcessEnvironment>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

#include <QSettings>

#include <gtest/gtest.h>

#include "core/platform/resource_table.h"
#include "core/platform/settings_store.h"
#include "gui/app/single_instance.h"
#include "support/temp_dir.h"

namespace {

#if defined(_WIN32)
// The settings live in the user's registry key: emptied before a start.
std::unique_ptr<QSettings> StoredSettings(const vantrell::test::TempDir&) {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QString::fromUtf8(vantrell::kSettingsKey), QStringLiteral("Vantrell"));
}

// The lock is a mutex and the socket a named pipe: listening shows as a
// pipe that takes a connection.
bool Listening(const vantrell::test::TempDir& dir) {
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(dir.File("Vantrell")));
  return socket.waitForConnected(200);
}

// What the desktop sends when the operator ends the program from outside
// (taskkill without /F): WM_CLOSE to each of its visible top-level windows.
// False while it shows none yet: the window comes after the lock.
bool RequestEnd(const QProcess& program) {
  struct Target {
    DWORD process;
    bool asked;
  } target{static_cast<DWORD>(program.processId()), false};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* target = reinterpret_cast<Target*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == target->process && IsWindowVisible(window)) {
          target->asked = PostMessageW(window, WM_CLOSE, 0, 0) != 0 || target->asked;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&target));
  return target.asked;
}
#else
std::unique_ptr<QSettings> StoredSettings(const vantrell::test::TempDir& dir) {
  return std::make_unique<QSettings>(QString::fromStdString(dir.File("Vantrell PC Program of Orbelle/Vantrell.conf")),
                                     QSettings::IniFormat);
}

bool Listening(const vantrell::test::TempDir& dir) {
  return QFileInfo::exists(QString::fromStdString(dir.File("Vantrell.instance.lock"))) &&
         QFileInfo::exists(QString::fromStdString(dir.File("Vantrell")));
}

// What a session manager sends at logout; the window manager's close
// request takes the same way through the window's close handler.
bool RequestEnd(const QProcess& program) { return ::kill(static_cast<pid_t>(program.processId()), SIGTERM) == 0; }
#endif

QProcess* StartProgram(const vantrell::test::TempDir& dir, QObject* parent) {
  auto* process = new QProcess(parent);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  // Everything the program keeps per user goes into the test's directory.
#if !defined(_WIN32)
  env.insert("QT_QPA_PLATFORM", "offscreen");  // on Windows the test's own platform: a close request needs a window
#endif
  env.insert("TMPDIR", QString::fromStdString(dir.Path()));
  env.insert("TMP", QString::fromStdString(dir.Path()));
  env.insert("TEMP", QString::fromStdString(dir.Path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.Path()));
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.Path()));
  env.insert("ORBSIM_STATE_DIR", QString::fromStdString(dir.Path()));
  process->setProcessEnvironment(env);
  process->start(QString(VANTRELL_BIN_DIR) + "/" + vantrell::kProgramFileName, {});
  return process;
}

// Waits until the program has taken its lock and listens.
bool WaitUntilListening(const vantrell::test::TempDir& dir, QProcess& program) {
  QElapsedTimer timer;
  timer.start();
  while (!Listening(dir) && timer.elapsed() < 20000) QThread::msleep(20);
  EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
  return Listening(dir);
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
  StoredSettings(dir)->clear();
  QObject owner;
  QProcess* program = StartProgram(dir, &owner);
  ASSERT_TRUE(program->waitForStarted(5000));
  ASSERT_TRUE(WaitUntilListening(dir, *program));
  QElapsedTimer timer;
  timer.start();
  while (!RequestEnd(*program) && timer.elapsed() < 20000) QThread::msleep(50);
  ASSERT_TRUE(program->waitForFinished(5000));
  EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program->exitCode(), 0);
  const auto stored = StoredSettings(dir);
  stored->sync();
  EXPECT_EQ(stored->value("PreviousSetValue/SelectedDev", -1).toInt(), 0);
  EXPECT_TRUE(stored->contains("Initialization/Width"));
}

#if !defined(_WIN32)
// A service manager sends one TERM, then KILL: one request must end the
// program even while start-up shows its boxes (two here, for a stored
// selection beyond the image list), and the half-started state is not stored.
TEST(ProgramEnd, OneEndRequestDuringTheStartUpBoxesEndsTheProgramAndStoresNothing) {
  vantrell::test::TempDir dir;
  {
    const auto stored = StoredSettings(dir);
    stored->clear();
    stored->setValue("PreviousSetValue/SelectedDev", 99);
    stored->setValue("Initialization/VertPos", 7);
  }
  QObject owner;
  QProcess* program = StartProgram(dir, &owner);
  ASSERT_TRUE(program->waitForStarted(5000));
  ASSERT_TRUE(WaitUntilListening(dir, *program));
  // The signal handler is in place before the lock: the request waits for
  // the first box's event loop, whatever the timing.
  ASSERT_TRUE(RequestEnd(*program));
  ASSERT_TRUE(program->waitForFinished(5000)) << "still running after one end request";
  EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program->exitCode(), 0);
  const auto stored = StoredSettings(dir);
  stored->sync();
  EXPECT_EQ(stored->value("PreviousSetValue/SelectedDev").toInt(), 99);
  EXPECT_EQ(stored->value("Initialization/VertPos").toInt(), 7);
  EXPECT_FALSE(stored->contains("Initialization/Width"));
}
#endif

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
#if defined(_WIN32)
  // The temporary directory is the user's own there.
  EXPECT_EQ(shared, QDir(QDir::tempPath()).filePath("Vantrell"));
#else
  EXPECT_TRUE(shared.endsWith(QString("/Vantrell-%1").arg(::getuid()))) << shared.toStdString();
#endif
}

}  // namespace
