#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHostInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

QString FreshFolder(const char* hint) {
    return QString::fromStdString(testsupport::MakeTempDir(hint));
}

TEST(SingleInstance, SecondAskerMakesTheFirstComeForward) {
    testsupport::UiApplication();
    const QString folder = FreshFolder("instance");
    CSingleInstance first(folder);
    ASSERT_EQ(first.Acquire(), CSingleInstance::Role::First);
    QSignalSpy activated(&first, &CSingleInstance::ActivateRequested);

    CSingleInstance second(folder);
    EXPECT_EQ(second.Acquire(), CSingleInstance::Role::Second);
    EXPECT_TRUE(activated.wait(2000));
    EXPECT_EQ(activated.count(), 1);
}

TEST(SingleInstance, StrangersBytesDoNotActivate) {
    testsupport::UiApplication();
    const QString folder = FreshFolder("instance");
    CSingleInstance first(folder);
    ASSERT_EQ(first.Acquire(), CSingleInstance::Role::First);
    QSignalSpy activated(&first, &CSingleInstance::ActivateRequested);
    QLocalSocket stranger;
    stranger.connectToServer(first.SocketPath());
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write(QByteArray(200, 'x'));
    stranger.waitForBytesWritten(1000);
    EXPECT_FALSE(activated.wait(300));
}

// A lock file left by a process that no longer exists is taken over.
TEST(SingleInstance, StaleLockOfACrashedProcessIsTakenOver) {
    testsupport::UiApplication();
    const QString folder = FreshFolder("instance");
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(gone.waitForFinished(5000));
    const qint64 deadPid = gone.processId() != 0 ? gone.processId() : 999999;
    {
        QFile lock(folder + QStringLiteral("/zorvath-config.lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nzorvath-config\n" +
                   QHostInfo::localHostName().toUtf8() + "\n");
    }
    QFile staleSocket(folder + QStringLiteral("/zorvath-config.socket"));
    ASSERT_TRUE(staleSocket.open(QIODevice::WriteOnly));  // a leftover file in the way
    staleSocket.close();
    CSingleInstance instance(folder);
    EXPECT_EQ(instance.Acquire(), CSingleInstance::Role::First);
}

TEST(SingleInstance, UnusableFolderRunsAlone) {
    testsupport::UiApplication();
    const QString file = FreshFolder("instance") + QStringLiteral("/not-a-folder");
    QFile blocker(file);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CSingleInstance instance(file);
    EXPECT_EQ(instance.Acquire(), CSingleInstance::Role::Failed);
}

QProcessEnvironment ProgramEnvironment(const QString& root) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const QString dir = root + QLatin1Char('/') + QString::fromLatin1(name);
        QDir().mkpath(dir);
        QFile::setPermissions(
            dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env.insert(QString::fromLatin1(name), dir);
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return env;
}

// Two real processes: the second ends at once with 0 and the first comes to the front.
TEST(SingleInstance, TwoProgramsTheSecondExitsAtOnce) {
    testsupport::UiApplication();
    const QString root = FreshFolder("two-programs");
    const QProcessEnvironment env = ProgramEnvironment(root);
    const QString program = QStringLiteral(ZORVATH_PROGRAM);

    // The first runs until the test ends it, so the second cannot be waiting for it to go.
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {QStringLiteral("--simulate"), QStringLiteral("--trace"),
                          QStringLiteral("--quit-after"), QStringLiteral("120000")});
    ASSERT_TRUE(first.waitForStarted(5000));
    const QString socket = root + QStringLiteral("/XDG_RUNTIME_DIR/zorvath-config.socket");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 30000);
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {QStringLiteral("--simulate")});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // It came forward for its own first discovery pass and again for the second program, and
    // it opened the emulated mouse: its command frames (report id 4) are in the trace.
    QString log;
    const QRegularExpression frame(QStringLiteral("(^|\\n)04 [0-9a-f]{2} "));
    QTRY_VERIFY_WITH_TIMEOUT(((log += QString::fromUtf8(first.readAllStandardError()))
                                      .count(QStringLiteral("MAIN_WND ActivateMainWindow")) >= 2 &&
                              log.contains(frame)),
                             30000);
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
}

// SIGTERM ends the program like the tray's "exit": exit code 0 and the lock released.
TEST(SingleInstance, TerminationSignalEndsTheProgramCleanly) {
    testsupport::UiApplication();
    const QString root = FreshFolder("terminate");
    QProcess program;
    program.setProcessEnvironment(ProgramEnvironment(root));
    program.start(QStringLiteral(ZORVATH_PROGRAM),
                  {QStringLiteral("--simulate"), QStringLiteral("--trace")});
    ASSERT_TRUE(program.waitForStarted(5000));
    const QString lock = root + QStringLiteral("/XDG_RUNTIME_DIR/zorvath-config.lock");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
    // The window comes forward once the event loop runs, after the signal handlers are set.
    QString log;
    QTRY_VERIFY_WITH_TIMEOUT((log += QString::fromUtf8(program.readAllStandardError()))
                                 .contains(QStringLiteral("MAIN_WND ActivateMainWindow")),
                             30000);
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(lock));
    log += QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(log.contains(QStringLiteral("MAIN_WND stopping threads")));
}

}  // namespace
