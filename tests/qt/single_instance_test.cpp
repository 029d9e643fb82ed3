// The single-instance marker: one holder at a time, released with its holder.
#include <string>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

// With the marker held, the program ends at once with status 0 and says
// nothing.
TEST(SingleInstanceLock, SecondStartOfTheProgramEndsSilently) {
    test::EnsureQtApp();
    const QString program = QCoreApplication::applicationDirPath() + "/../QELMA/keldra";
    if (!QFileInfo(program).isExecutable()) GTEST_SKIP() << "keldra not built beside the tests";
    SingleInstanceLock running;
    if (!running.acquired()) GTEST_SKIP() << "a keldra of this user is running";

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second start kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
}

}  // namespace
}  // namespace keldra
