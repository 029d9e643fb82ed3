// The window's ways to problems on the disk: the SGF menu items and their
// dialogs, stepping through a folder with PageUp / PageDown, a file named at
// start or dropped on the window, comments in other charsets, and the folder
// the file dialogs start in.
#include <fstream>
#include <string>
#include <vector>

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <gtest/gtest.h>

#include "BAN/problem_file.h"
#include "QELMA/desktop.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

namespace keldra {
namespace {

std::string readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::string captionFor(const std::string& name) { return std::string(ProblemCaptionPrefix) + name; }

class ProblemFiles : public test::WindowTest {
protected:
    void SetUp() override {
        QSettings(QStringLiteral("ZORVEK"), QStringLiteral("keldra")).clear();
        test::WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }

    void TearDown() override { QDir::setCurrent(startedIn); }

    QString write(const QString& name, const std::string& bytes) {
        const QString path = dir.filePath(name);
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
        return path;
    }

    std::string caption() const { return form.windowTitle().toStdString(); }
    std::string memo() const { return form.Memo1->toPlainText().toStdString(); }
    int stone(int x, int y) const { return state.game.pos.at(x, y).Stone; }
    static QString remembered() {
        return QSettings(QStringLiteral("ZORVEK"), QStringLiteral("keldra")).value(LastFolderKey).toString();
    }

    QTemporaryDir dir;
    const QString startedIn = QDir::currentPath();
};

// Stones entered by clicks and a two-line comment saved through "SGF で保存",
// cleared, and read back through "SGF を開く": the same record, the same memo.
TEST_F(ProblemFiles, SgfSaveAndOpenThroughTheMenu) {
    clickPoint(2, 1);
    clickPoint(3, 2, Qt::RightButton);
    clickPoint(13, 13);
    const std::string board = test::PictureOf(state.game.pos.board);
    form.Memo1->setPlainText(QString::fromUtf8("白を取る問題\n二行目"));

    const QString saved = dir.filePath("entered.sgf");
    dialogs.saveSgfAnswers.push_back(saved);
    form.SaveSgf1->trigger();
    const std::string text = readFile(saved);
    EXPECT_EQ(text.rfind("(;FF[4]GM[1]SZ[13]CA[UTF-8]AP[ZORVEK:2.05]PL[B]", 0), 0u) << text;
    EXPECT_NE(text.find("C[白を取る問題\n二行目]"), std::string::npos) << text;
    EXPECT_TRUE(dialogs.saveAnswers.empty() && dialogs.openAnswers.empty());

    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(memo(), "");
    dialogs.openSgfAnswers.push_back(saved);
    form.OpenSgf1->trigger();
    EXPECT_EQ(memo(), "白を取る問題\n二行目");
    // The entered stones are the game record's moves: the board shows the
    // start, and the replay plays them again.
    EXPECT_EQ(stone(2, 1), int{Empty});
    form.TrackBar1->setValue(100);
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.Timer1->isActive(); }, 3000));
    EXPECT_EQ(test::PictureOf(state.game.pos.board), board) << text;
    EXPECT_EQ(caption(), captionFor("entered.sgf"));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
    EXPECT_EQ(remembered(), dir.path());
}

// A file named at start, given relative to the current folder, then PageDown
// and PageUp through the folder: "2" before "10", a collection's game trees
// one by one with "(k/n)" in the caption, a message at either end.
TEST_F(ProblemFiles, FileAtStartThenThroughTheFolderByKeys) {
    write("1.sgf", "(;GM[1]SZ[13]AB[aa]AW[ba])");
    write("2.go", ProblemFileText(test::BoardFromPicture(test::BentThree)));
    write("10.sgf", "(;SZ[13]AB[ab]AW[bb])\n(;SZ[13]AB[ac]AW[bc])\n(;SZ[13]AB[ad]AW[bd])");
    write("notes.txt", "not a problem");
    QDir::setCurrent(dir.path());

    ASSERT_TRUE(form.OpenProblemFile(QStringLiteral("2.go")));
    EXPECT_EQ(caption(), captionFor("2.go"));
    EXPECT_EQ(QString::fromStdString(form.logic().LastOpened().path), dir.filePath("2.go"));
    EXPECT_EQ(remembered(), dir.path());

    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    struct Step {
        Qt::Key key;
        std::string caption;
        int blackAtY;  // the problem's black stone at (1, y); 0 for the .go problem
        std::string message;
    };
    const Step steps[] = {
        {Qt::Key_PageDown, "10.sgf (1/3)", 2, ""},
        {Qt::Key_PageDown, "10.sgf (2/3)", 3, ""},
        {Qt::Key_PageDown, "10.sgf (3/3)", 4, ""},
        {Qt::Key_PageDown, "10.sgf (3/3)", 4, std::string(LastProblemMessage)},
        {Qt::Key_PageUp, "10.sgf (2/3)", 3, ""},
        {Qt::Key_PageUp, "10.sgf (1/3)", 2, ""},
        {Qt::Key_PageUp, "2.go", 0, ""},
        {Qt::Key_PageUp, "1.sgf", 1, ""},
        {Qt::Key_PageUp, "1.sgf", 1, std::string(FirstProblemMessage)},
    };
    int row = 0;
    for (const Step& step : steps) {
        dialogs.messages.clear();
        QTest::keyClick(&form, step.key);
        const std::string where = "step " + std::to_string(++row);
        EXPECT_EQ(caption(), captionFor(step.caption)) << where;
        EXPECT_EQ(dialogs.messages, step.message.empty() ? std::vector<std::string>{}
                                                          : std::vector<std::string>{step.message})
            << where;
        if (step.blackAtY > 0) {
            for (int y = 1; y <= 4; ++y) EXPECT_EQ(stone(1, y), int{y == step.blackAtY ? Black : Empty}) << where << " y " << y;
        } else {
            EXPECT_EQ(test::PictureOf(state.game.pos.board), test::PictureOf(test::BoardFromPicture(test::BentThree)))
                << where;
        }
    }

    dialogs.messages.clear();
    EXPECT_FALSE(form.OpenProblemFile(QStringLiteral("missing.sgf")));
    EXPECT_EQ(dialogs.messages.size(), 1u) << "one message for a file that is not there";
    EXPECT_EQ(stone(1, 1), int{Empty}) << "the board is left cleared";
    EXPECT_EQ(caption(), captionFor("missing.sgf"));
}

// A drag of one local file is taken by the window, also over the memo and
// the edit boxes (which would otherwise take its name as text), and opens
// the file; two files, a remote address or a busy window are refused.
TEST_F(ProblemFiles, DroppedFile) {
    const QString problem = write("dropped.sgf", "(;SZ[13]AB[cc]AW[dd]C[落とした問題])");
    const QString other = write("other.sgf", "(;SZ[13]AB[aa])");
    struct Case {
        const char* name;
        QWidget* target;
        QList<QUrl> urls;
        bool busy;
        bool opens;
    };
    const Case cases[] = {
        {"two files", &form, {QUrl::fromLocalFile(problem), QUrl::fromLocalFile(other)}, false, false},
        {"a remote address", &form, {QUrl(QStringLiteral("https://example.invalid/a.sgf"))}, false, false},
        {"while busy", &form, {QUrl::fromLocalFile(problem)}, true, false},
        {"on the window", &form, {QUrl::fromLocalFile(problem)}, false, true},
        {"on the memo", form.Memo1->viewport(), {QUrl::fromLocalFile(problem)}, false, true},
        {"on an edit box", form.Edit6, {QUrl::fromLocalFile(problem)}, false, true},
    };
    for (const Case& c : cases) {
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        form.setWindowTitle(QStringLiteral("before"));
        form.setBusy(c.busy);
        QMimeData data;
        data.setUrls(c.urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(c.target, &enter);
        EXPECT_EQ(enter.isAccepted(), c.opens) << c.name;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(c.target, &drop);
        EXPECT_EQ(drop.isAccepted(), c.opens) << c.name;
        if (c.opens) {
            EXPECT_EQ(drop.dropAction(), Qt::CopyAction) << c.name << ": the source keeps its file";
        }
        form.setBusy(false);
        if (c.opens) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return caption() != "before"; }, 2000)) << c.name;
        }
        QTest::qWait(20);
        EXPECT_EQ(caption(), c.opens ? captionFor("dropped.sgf") : "before") << c.name;
        EXPECT_EQ(stone(3, 3), int{c.opens ? Black : Empty}) << c.name;
        EXPECT_EQ(memo(), c.opens ? "落とした問題" : "") << c.name << ": nothing dropped as text";
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

// Root comments in the charsets of real collections reach Memo1 decoded;
// what cannot be decoded, or is cut off, is left out rather than shown as
// replacement characters.
TEST_F(ProblemFiles, CommentCharsets) {
    struct Case {
        const char* charset;
        std::string bytes;
        std::string memo;
    };
    const Case cases[] = {
        {"GB2312", "\xc4\xe3\xba\xc3", "你好"},
        {"Shift_JIS", "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd", "こんにちは"},
        {" sjis ", "\x8c\xe9", "碁"},
        {"Shift_JIS", "\x82\xb1\x82", ""},          // cut off inside a character
        {"GB2312", "\xff\xfe", ""},                  // not GB2312
        {"x-no-such-charset", "\xe7\xa2\x81", "碁"},  // unknown charset: valid UTF-8 as it is
        {"x-no-such-charset", "\x8b\xce", ""},       // unknown charset, not UTF-8
        {"UTF-8", "\xe7\xa2\x81\xe7", ""},           // broken UTF-8
    };
    int row = 0;
    for (const Case& c : cases) {
        const QString path = write(QStringLiteral("c%1.sgf").arg(++row),
                                   std::string("(;CA[") + c.charset + "]SZ[13]AB[aa]AW[ba]C[" + c.bytes + "])");
        EXPECT_TRUE(form.OpenProblemFile(path)) << c.charset << " row " << row;
        EXPECT_EQ(memo(), c.memo) << c.charset << " row " << row;
        EXPECT_EQ(stone(1, 1), int{Black}) << c.charset << " row " << row;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

// The real dialogs: the first one starts in the bundled problems, every
// later one in the folder used last, whether it opened or saved, .go or
// SGF; the SGF dialogs filter and complete names with "sgf". Qt's own texts
// are Japanese once its translations are loaded.
TEST_F(ProblemFiles, DialogsStartInTheFolderUsedLast) {
    form.setDialogs(nullptr);
    QTemporaryDir other;
    const QString problem = write("start.sgf", "(;SZ[13]AB[bb]AW[cc])");

    struct Seen {
        QString folder, filter, suffix;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    };
    const auto answer = [](const QString& file, Seen& seen) {
        QTimer::singleShot(0, [file, &seen] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = {dialog->directory().absolutePath(), dialog->selectedNameFilter(), dialog->defaultSuffix(),
                    dialog->acceptMode()};
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();
        });
    };

    Seen first, second, third, fourth;
    answer(problem, first);
    form.Open1->trigger();
    EXPECT_EQ(first.folder, QDir(QStringLiteral(KELDRA_SOURCE_DIR "/problems")).absolutePath());
    EXPECT_EQ(first.suffix, "go");
    EXPECT_EQ(stone(2, 2), int{Black}) << "the .sgf chosen in the open dialog loaded";

    answer(other.filePath(QStringLiteral("saved")), second);
    form.SaveSgf1->trigger();
    EXPECT_EQ(second.folder, dir.path());
    EXPECT_EQ(second.filter, "SGF (*.sgf)");
    EXPECT_EQ(second.suffix, "sgf");
    EXPECT_EQ(second.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(readFile(other.filePath(QStringLiteral("saved.sgf"))).rfind("(;FF[4]", 0), 0u) << "the suffix was added";

    answer(other.filePath(QStringLiteral("saved.sgf")), third);
    form.OpenSgf1->trigger();
    EXPECT_EQ(third.folder, other.path());
    EXPECT_EQ(third.filter, "SGF (*.sgf)");
    EXPECT_EQ(third.mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(caption(), captionFor("saved.sgf"));
    EXPECT_EQ(stone(2, 2), int{Black});

    QTimer::singleShot(0, [&fourth] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            fourth.folder = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    form.SaveAs1->trigger();
    EXPECT_EQ(fourth.folder, other.path()) << "the .go dialogs start there too";
    EXPECT_EQ(remembered(), other.path());
    EXPECT_TRUE(dialogs.messages.empty());

    QTranslator* japanese = InstallQtTranslations();
    ASSERT_NE(japanese, nullptr) << "Qt's Japanese translations are not installed";
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
}

}  // namespace
}  // namespace keldra
