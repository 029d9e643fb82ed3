// The settings file is read only when it is a regular file of at most 1 MiB;
// otherwise the run starts from the defaults, keeps its settings apart, and
// the memo says why.
#include <fstream>
#include <string>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "QELMA/desktop.h"
#include "tests/qt/window_fixture.h"

namespace keldra {
namespace {

class SettingsFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { CheckSettingsFile(); }

    QString withBytes(const char* name, std::size_t bytes) {
        const QString path = dir.filePath(name);
        const std::string head = "[files]\nlastFolder=/nowhere\n";
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
            << head << std::string(bytes - head.size(), '#');
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(SettingsFile, OnlyASmallRegularFileIsRead) {
    const QString fifo = dir.filePath("pipe.conf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.conf"));
    const QString link = dir.filePath("link.conf");
    ASSERT_TRUE(QFile::link(fifo, link));
    const struct {
        const char* name;
        QString path;
        const char* why;  // a part of the memo line, or null when the file is read
    } cases[] = {
        {"missing", dir.filePath("none.conf"), nullptr},
        {"small", withBytes("small.conf", 100), nullptr},
        {"exactly 1 MiB", withBytes("mib.conf", MaxSettingsFileBytes), nullptr},
        {"one byte more", withBytes("big.conf", MaxSettingsFileBytes + 1), "大きすぎる"},
        {"named pipe", fifo, "通常のファイルではない"},
        {"link to a pipe", link, "通常のファイルではない"},
        {"folder", dir.filePath("folder.conf"), "通常のファイルではない"},
    };
    for (const auto& c : cases) {
        const std::string note = SettingsFileTrouble(c.path).toStdString();
        if (!c.why) {
            EXPECT_EQ(note, "") << c.name;
            continue;
        }
        EXPECT_NE(note.find(c.why), std::string::npos) << c.name << ": " << note;
        EXPECT_NE(note.find(c.path.toStdString()), std::string::npos) << c.name << ": names the file";
    }
}

// With a pipe for the file, the settings read as defaults, what the run
// remembers stays in the run, and the window's memo holds the one line.
TEST_F(SettingsFile, UnfitFileGivesDefaultsAndOneMemoLine) {
    const QString fifo = dir.filePath("keldra.conf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString note = CheckSettingsFile(fifo);
    ASSERT_FALSE(note.isEmpty());
    EXPECT_FALSE(AppSettings().value(QLatin1String(StubbornWhiteKey), false).toBool());
    AppSettings().setValue(QLatin1String(StubbornWhiteKey), true);
    EXPECT_TRUE(AppSettings().value(QLatin1String(StubbornWhiteKey), false).toBool()) << "kept for the run";

    Session session;
    TForm1 form(session, QSize(800, 600));
    EXPECT_EQ(form.Memo1->toPlainText(), note);

    CheckSettingsFile(dir.filePath("fine.conf"));
    EXPECT_TRUE(SettingsNote().isEmpty());
    Session again;
    TForm1 fine(again, QSize(800, 600));
    EXPECT_TRUE(fine.Memo1->toPlainText().isEmpty());
}

}  // namespace
}  // namespace keldra
