// The single-instance marker, and the hand-over between two real keldra
// processes: a second start's file opens in the running window, a running
// instance that no longer answers is taken over, a settings file that would
// block does not, and a window destroyed from outside ends its program.
#include <csignal>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "QELMA/single_instance.h"
#include "tests/qt/window_fixture.h"

namespace keldra {
namespace {

TEST(SingleInstanceLock, SecondHolderIsRefusedUntilTheFirstGoes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("MUTEXKELDRA").toStdString();
    {
        SingleInstanceLock first(path);
        ASSERT_TRUE(first.acquired());
        SingleInstanceLock second(path);
        EXPECT_FALSE(second.acquired()) << "a second start must see the first";
        SingleInstanceLock third(path);
        EXPECT_FALSE(third.acquired()) << "a refused attempt must not release the lock";
    }
    SingleInstanceLock afterwards(path);
    EXPECT_TRUE(afterwards.acquired()) << "the lock goes with its holder";
}

// Nobody listening, or a listener that never answers: the hand-over gives up
// by its deadline.
TEST(SingleInstanceLock, HandOverGivesUpWithinItsDeadline) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(HandToRunningInstance(dir.filePath("none.socket").toStdString(), "", 300));
    EXPECT_LT(clock.elapsed(), 2000);
}

// keldra processes of their own: the lock, the socket and the settings live
// in a scratch folder, apart from the user's and from other test runs.
class TwoProcesses : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }

    void SetUp() override {
        program = QCoreApplication::applicationDirPath() + "/../QELMA/keldra";
        if (!QFileInfo(program).isExecutable()) GTEST_SKIP() << "keldra not built beside the tests";
        ASSERT_TRUE(dir.isValid());
        for (const char* sub : {"run", "config/ZORVEK", "a", "b"}) ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
        ::chmod(QFile::encodeName(dir.filePath("run")).constData(), 0700);
        const QString problem = QStringLiteral(KELDRA_SOURCE_DIR) + "/problems/01-bent-three.go";
        ASSERT_TRUE(QFile::copy(problem, dir.filePath("a/one.go")));
        ASSERT_TRUE(QFile::copy(problem, dir.filePath("b/two.go")));
        env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    }

    void TearDown() override {
        for (QProcess* p : {&first, &second}) {
            if (p->state() == QProcess::NotRunning) continue;
            ::kill(static_cast<pid_t>(p->processId()), SIGCONT);
            p->kill();
            p->waitForFinished(5000);
        }
    }

    void start(QProcess& p, const QStringList& args) {
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(program, args);
        ASSERT_TRUE(p.waitForStarted(5000));
    }

    // Starts a keldra that is to hand over and end: it must end at once,
    // with status 0 and saying nothing.
    void handOver(const QStringList& args) {
        QProcess later;
        start(later, args);
        ASSERT_TRUE(later.waitForFinished(5000)) << "the later start kept running";
        EXPECT_EQ(later.exitCode(), 0);
        EXPECT_TRUE(later.readAllStandardOutput().isEmpty());
        EXPECT_TRUE(later.readAllStandardError().isEmpty()) << later.readAllStandardError().toStdString();
    }

    // Waits until a serving instance listens.
    bool listening() {
        const QString socket = dir.filePath("run/KELDRA-" + QString::number(::getuid()) + ".socket");
        for (int i = 0; i < 200 && !QFileInfo::exists(socket); ++i) QThread::msleep(50);
        return QFileInfo::exists(socket);
    }

    // The folder the window opened a problem from last, as its settings say:
    // polled, since the window writes it once the request came round.
    QString openedFrom(const QString& expected) {
        QString seen;
        for (int i = 0; i < 100; ++i) {
            seen = QSettings(dir.filePath("config/ZORVEK/keldra.conf"), QSettings::IniFormat)
                       .value("files/lastFolder")
                       .toString();
            if (seen == expected) break;
            QThread::msleep(50);
        }
        return seen;
    }

    QString program;
    QTemporaryDir dir;
    QProcessEnvironment env;
    QProcess first;
    QProcess second;
};

// keldra a/one.go, then keldra b/two.go from the same folder and keldra alone:
// the later starts end, the running window opened two.go (its folder is
// remembered) and stays.
TEST_F(TwoProcesses, SecondStartHandsItsFileToTheRunningWindow) {
    start(first, {"a/one.go"});
    ASSERT_TRUE(listening());
    EXPECT_EQ(openedFrom(dir.filePath("a")), dir.filePath("a"));
    handOver({"b/two.go"});
    EXPECT_EQ(openedFrom(dir.filePath("b")), dir.filePath("b")) << "the running window did not open two.go";
    handOver({});
    EXPECT_EQ(first.state(), QProcess::Running);
}

// The running instance is stopped (SIGSTOP): the next start says so on stderr
// after about a second and serves from then on; the start after it hands
// over to the new one.
TEST_F(TwoProcesses, StaleInstanceIsTakenOver) {
    start(first, {});
    ASSERT_TRUE(listening());
    ::kill(static_cast<pid_t>(first.processId()), SIGSTOP);

    QElapsedTimer clock;
    clock.start();
    start(second, {});
    for (int i = 0; i < 100 && !second.readAllStandardError().contains("does not answer") && clock.elapsed() < 5000; ++i) {
        second.waitForReadyRead(100);
    }
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 5000) << "no word of the stale instance";
    EXPECT_FALSE(second.waitForFinished(1000)) << "the new start must take over, not end";

    handOver({"b/two.go"});
    EXPECT_EQ(openedFrom(dir.filePath("b")), dir.filePath("b")) << "the new instance did not open two.go";
}

// A named pipe as the settings file would block the start for ever: the
// instance starts all the same, and serves a later start.
TEST_F(TwoProcesses, SettingsPipeDoesNotBlockTheStart) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("config/ZORVEK/keldra.conf")).constData(), 0600), 0);
    start(first, {});
    ASSERT_TRUE(listening());
    handOver({});
    EXPECT_EQ(first.state(), QProcess::Running);
}

// Under a real X server: the main window's native window destroyed from
// outside (xdotool windowclose, no close request) ends the program.
TEST_F(TwoProcesses, DestroyedWindowEndsTheProgram) {
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty()) {
        GTEST_SKIP() << "needs xvfb-run and xdotool";
    }
    const QString script = QStringLiteral(
        "\"$0\" & pid=$!\n"
        "timeout 30 xdotool search --sync --name ZORVEK >/dev/null || exit 3\n"
        "for w in $(xdotool search --name ZORVEK); do xdotool windowclose $w; done\n"
        "for i in $(seq 50); do kill -0 $pid 2>/dev/null || exit 0; sleep 0.1; done\n"
        "kill $pid; exit 1\n");
    env.remove("QT_QPA_PLATFORM");
    QProcess run;
    run.setProcessEnvironment(env);
    run.start("xvfb-run", {"-a", "sh", "-c", script, program});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << "1: still running 5 s after its window was destroyed; 3: no window came up\n"
                                 << run.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace keldra
