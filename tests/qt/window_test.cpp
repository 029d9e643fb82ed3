// The main window driven as a user would: games played by clicking the
// board, the history buttons, problem files through the menu, closing in the
// middle of a search or replay, the help window and the menu.
#include <fstream>
#include <string>

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "BAN/problem_file.h"
#include "helpgo/help_text.h"
#include "helpgo/tform2.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

namespace keldra {
namespace {

constexpr const char* BlackWins = "詰みました。黒の勝ち。";
constexpr const char* BlackLoses = "失敗です。黒の負け。";

std::string readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The first `rows` rows of the board picture.
std::string corner(const Session& st, int rows = 4) { return test::PictureOf(st.game.pos.board).substr(0, 14 * rows); }

class Window : public test::WindowTest {
protected:
    void SetUp() override {
        test::WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        problem = dir.filePath("bent.go");
        std::ofstream(problem.toStdString(), std::ios::binary) << ProblemFileText(test::BoardFromPicture(test::BentThree));
    }

    void openProblem() {
        dialogs.openAnswers.push_back(problem);
        form.Open1->trigger();
    }

    void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QTemporaryDir dir;
    QString problem;
};

TEST_F(Window, GameWonByClicks) {
    openProblem();
    EXPECT_EQ(form.windowTitle().toStdString(), std::string(ProblemCaptionPrefix) + "bent.go");
    press(form.Button6);
    EXPECT_EQ(form.Button6->text().toStdString(), "対局");

    clickPoint(7, 7);  // far from the problem
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"そこは、だめです。"});
    dialogs.messages.clear();

    clickPoint(1, 1);  // the vital point; white answers at (1, 2)
    EXPECT_EQ(corner(state, 2), "X.OX.........\nOOOX.........\n");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form.Edit6->palette().color(QPalette::Base), QColor(255, 0, 0)) << "red once the search is over";

    clickPoint(2, 1);  // takes the whole white group
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{BlackWins});
    EXPECT_EQ(corner(state, 3), "XX.X.........\n...X.........\n..XX.........\n");
    EXPECT_EQ(form.Button6->text().toStdString(), "入力");
    EXPECT_EQ(state.window.mode, GameMode::Input);
    EXPECT_EQ(state.game.rec.MoveCount, 3);
}

TEST_F(Window, GameLostThroughTheProblemButton) {
    dialogs.openAnswers.push_back(problem);
    press(form.Button12);  // loads and enters game mode
    EXPECT_EQ(state.window.mode, GameMode::Play);
    clickPoint(1, 2);  // white captures at (1, 1) and lives
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{BlackLoses});
    EXPECT_EQ(corner(state, 2), "O.OX.........\n.OOX.........\n");
    EXPECT_EQ(state.window.mode, GameMode::Input);
}

// Undo, forward and replay through the buttons, after a game of three moves.
TEST_F(Window, HistoryButtonsAndReplayTimer) {
    openProblem();
    press(form.Button6);
    clickPoint(1, 1);
    clickPoint(2, 1);
    const std::string end = corner(state);

    press(form.Button2);
    press(form.Button2);
    EXPECT_EQ(corner(state, 1), "X.OX.........\n") << "only black's first move left";
    EXPECT_EQ(state.game.rec.MoveCount, 1);
    press(form.Button4);
    press(form.Button4);
    press(form.Button4);  // past the last record: nothing changes
    EXPECT_EQ(corner(state), end);
    EXPECT_EQ(state.game.rec.MoveCount, 3);

    form.TrackBar1->setValue(100);
    EXPECT_EQ(form.Timer1->interval(), 100);
    press(form.Button3);
    EXPECT_TRUE(form.Timer1->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.game.rec.ReplayCursor == 1; }, 3000));
    EXPECT_EQ(corner(state, 1), "X.OX.........\n") << "first tick: the start position and black's first move";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Timer1->isActive(); }, 3000)) << "replay ends by itself";
    EXPECT_EQ(corner(state), end);
    EXPECT_EQ(state.game.rec.MoveCount, 3);
    EXPECT_EQ(state.game.pos.LastX, 2) << "the ring follows the replayed stone";
}

TEST_F(Window, SaveAndOpenThroughTheMenu) {
    clickPoint(4, 4);
    clickPoint(5, 4, Qt::RightButton);
    clickPoint(13, 1);
    const Board entered = state.game.pos.board;
    const QString saved = dir.filePath("entered.go");
    dialogs.saveAnswers.push_back(saved);
    form.SaveAs1->trigger();
    EXPECT_EQ(readFile(saved), ProblemFileText(entered));

    press(form.Button1);
    EXPECT_EQ(state.game.pos.at(4, 4).Stone, Empty);
    dialogs.openAnswers.push_back(saved);
    form.Open1->trigger();
    EXPECT_EQ(test::PictureOf(state.game.pos.board), test::PictureOf(entered));
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    EXPECT_EQ(form.windowTitle().toStdString(), std::string(ProblemCaptionPrefix) + "entered.go");
    EXPECT_TRUE(dialogs.messages.empty());
}

// During automatic solving only the end button, the menu's exit and the
// speed bar take input. The end button stops the play-out; the window closes
// once the solve has returned, and the board control goes.
TEST_F(Window, EndButtonDuringAutomaticSolving) {
    openProblem();
    std::string enabled;
    QTimer::singleShot(300, &form, [&] {
        for (QWidget* w : std::initializer_list<QWidget*>{form.Button1, form.Button2, form.Button3, form.Button4,
                                                          form.Button6, form.Button7, form.Button12, form.BAN1,
                                                          form.Button5, form.TrackBar1}) {
            enabled += w->isEnabled() && (w != form.BAN1 || form.BAN1->inputEnabled()) ? "1" : "0";
        }
        for (QAction* a : {form.Open1, form.SaveAs1, form.K1, form.Exit1, form.OpenSgf1, form.SaveSgf1,
                           form.Previous1, form.Next1}) {
            enabled += a->isEnabled() ? "1" : "0";
        }
        press(form.Button5);
    });
    QElapsedTimer clock;
    clock.start();
    press(form.Button7);
    EXPECT_LT(clock.elapsed(), 1400) << "the play-out of three moves at 700 ms each was not cut short";
    EXPECT_EQ(enabled, "000000001100010000");
    EXPECT_FALSE(form.Button1->isEnabled()) << "a closing window takes no more commands";
    EXPECT_TRUE(form.closing());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{BlackWins}) << "announced before the play-out";
    EXPECT_LT(state.game.rec.MoveCount, 3) << "the play-out went on after the close";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 1000));
    EXPECT_TRUE(form.BAN1.isNull());
    form.Timer1Timer();  // a late tick finds no board control and does no harm
}

// The menu's exit during a replay, the end button and the close box all
// close the window the same way: timer stopped, board control gone.
TEST_F(Window, EveryWayOfClosing) {
    clickPoint(3, 3);
    press(form.Button3);
    ASSERT_TRUE(form.Timer1->isActive());
    form.Exit1->trigger();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_TRUE(form.BAN1.isNull());

    for (bool closeBox : {false, true}) {
        Session other;
        TForm1 second(other, QSize(800, 600));
        second.show();
        closeBox ? (void)second.close() : press(second.Button5);
        EXPECT_FALSE(second.isVisible()) << closeBox;
        EXPECT_TRUE(second.BAN1.isNull()) << closeBox;
    }
}

// The help window is modal, hidden again by its close button, and the same
// window in the same state the next time.
TEST_F(Window, HelpWindow) {
    QWidget* shown[2] = {nullptr, nullptr};
    int scrolled = 0;
    for (int round = 0; round < 2; ++round) {
        QTimer::singleShot(0, &form, [&, round] {
            auto* help = qobject_cast<TForm2*>(shown[round] = QApplication::activeModalWidget());
            if (!help) return;
            if (round == 0) help->Memo2->verticalScrollBar()->setValue(40);
            scrolled = help->Memo2->verticalScrollBar()->value();
            QTest::mouseClick(help->Button1, Qt::LeftButton);
        });
        form.K1->trigger();
    }
    ASSERT_EQ(shown[0], form.Form2) << "the help window was not shown modally";
    EXPECT_EQ(shown[1], form.Form2);
    EXPECT_FALSE(form.Form2->isVisible());
    EXPECT_EQ(scrolled, 40);

    const TForm2& help = *form.Form2;
    EXPECT_EQ(help.geometry(), QRect(98, 95, 517, 426));
    EXPECT_EQ(help.Button1->geometry(), QRect(414, 16, 75, 25)) << "5 pixels right of Memo1";
    const QStringList lines = help.Memo2->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), HelpLineCount);
    EXPECT_EQ(lines[0], QString(29, QChar(0xFF1D)));  // ＝
    EXPECT_EQ(lines[1].toStdString(), "ZORVEKソフト　デスクトップ版    Ver2.05");
    EXPECT_EQ(lines[2], lines[0]);
    for (const char* heading : {"■Ver2.04との違い", "■配布ファイル", "■動作環境、動作方法", "■このソフトについて",
                                "■操作方法", "〇問題の入力方法", "〇問題の保存方法", "〇ボタン説明",
                                "◆入力．対局ボタン：", "◆終了ボタン：終了する。",
                                "◆解答ボタン：問題を呼び出してから、クリックする。", "○遊び方（コンピュータと対局）",
                                "※甲の時、打てない場所は、黄色で表示。", "○遊び方（詰碁「黒先白死」を自動解答）",
                                "■SGF ファイルと問題集", "■検討（検証）", "■その他"}) {
        EXPECT_TRUE(lines.contains(QString::fromUtf8(heading))) << heading;
    }
    const QStringList contact = help.Memo1->toPlainText().split('\n');
    ASSERT_EQ(contact.size(), 3);
    EXPECT_EQ(contact[2].toStdString(), "質問．意見．感想は、上記　ｱﾄﾞﾚｽに、お願いします。");
}

// Both separators of the file menu show; the help item has no sub-items.
// Only the steps through a folder have shortcuts.
TEST_F(Window, MenuItems) {
    QStringList items;
    for (QAction* a : form.menuBar()->actions()) items << a->text();
    for (QAction* a : form.File1->actions()) {
        const QString keys = a->shortcut().toString();
        items << (a->isSeparator() ? "-" : keys.isEmpty() ? a->text() : a->text() + " " + keys);
    }
    EXPECT_EQ(items.join('|').toStdString(),
              "ﾌｧｲﾙ(&F)|検討(&A)|解答図|ヘルプ|言語 / Language|開く(&O)...|名前をつけて保存(&A)...|SGF を開く(&G)...|SGF で保存(&E)...|"
              "前の問題(&P) PgUp|次の問題(&N) PgDown|次の未解決の問題(&U) Shift+PgDown|-|-|終了(&X)");
    EXPECT_FALSE(form.File1->separatorsCollapsible());
    EXPECT_EQ(form.K1->menu(), nullptr);
}

}  // namespace
}  // namespace keldra
