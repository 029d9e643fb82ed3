// 検証 in the window: the 検討 menu, F5 on a problem with the marks painted
// until the board changes, Esc stopping a long proof, and the stubborn
// white's choice remembered by the next window.
#include <chrono>

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>

#include "tests/qt/window_fixture.h"

namespace keldra {
namespace {

class ProveWindow : public test::WindowTest {
protected:
    void SetUp() override {
        test::WindowTest::SetUp();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QStringList memoLines() const { return form.Memo1->toPlainText().split('\n'); }
    // The colour at the centre of point (x, y) of the painted bitmap,
    // a few pixels off the grid lines.
    QColor colourNear(int x, int y) const {
        const int cell = state.window.CellSize;
        return form.BAN1->boardBitmap().pixelColor(x * cell + 3, y * cell + 3);
    }
};

// The menu sits between the file menu and help; 検証 has F5, the stubborn
// white is checkable and off at first; both are disabled while busy.
TEST_F(ProveWindow, AnalyzeMenu) {
    QStringList items;
    for (QAction* a : form.menuBar()->actions()) items << a->text();
    for (QAction* a : form.Analyze1->actions()) items << a->text();
    EXPECT_EQ(items.join('|').toStdString(), "ﾌｧｲﾙ(&F)|検討(&A)|解答図|ヘルプ|言語 / Language|検証(&V)|検証で応じる(&S)|問題集モード(&T)");
    EXPECT_EQ(form.Prove1->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(form.StubbornWhite1->isCheckable());
    EXPECT_FALSE(form.StubbornWhite1->isChecked());
    EXPECT_FALSE(form.logic().StubbornWhite());
    form.setBusy(true);
    EXPECT_FALSE(form.Prove1->isEnabled());
    EXPECT_FALSE(form.StubbornWhite1->isEnabled());
    form.setBusy(false);
    EXPECT_TRUE(form.Prove1->isEnabled());
}

// F5 on the bent three: the verdict in the memo and Edit6, a green square on
// the vital point; the board and record stay. A stone entered elsewhere
// takes the square away.
TEST_F(ProveWindow, F5ProvesAndMarksUntilTheBoardChanges) {
    dialogs.openAnswers.push_back(QString::fromUtf8(KELDRA_SOURCE_DIR "/problems/01-bent-three.go"));
    form.Open1->trigger();
    const Board before = state.game.pos.board;
    const QColor board = colourNear(1, 1);

    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(memoLines().value(0).toStdString(), "黒先白死（無条件）");
    EXPECT_EQ(memoLines().value(1).toStdString(), "殺す手：1 1");
    EXPECT_EQ(form.Edit6->text().toStdString(), "黒先白死（無条件）");
    EXPECT_TRUE(before == state.game.pos.board);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    EXPECT_EQ(form.BAN1->marks(), (std::vector<BoardMark>{{1, 1, MarkKind::Kill}}));
    EXPECT_EQ(colourNear(1, 1), QColor(0, 255, 0));
    EXPECT_EQ(colourNear(4, 1), board) << "only the killing move is marked";
    EXPECT_TRUE(form.Prove1->isEnabled());

    clickPoint(10, 10);
    EXPECT_TRUE(form.BAN1->marks().empty());
    EXPECT_EQ(colourNear(1, 1), board);
}

// The first click after F5, on a wrong first move, shows white's refutation
// in the memo; the stone is placed as ever.
TEST_F(ProveWindow, TheFirstMoveClickedAfterF5ShowsItsLine) {
    dialogs.openAnswers.push_back(QString::fromUtf8(KELDRA_SOURCE_DIR "/problems/01-bent-three.go"));
    form.Open1->trigger();
    QTest::keyClick(&form, Qt::Key_F5);
    clickPoint(2, 1);
    EXPECT_EQ(memoLines().value(0).toStdString(), "初手 2 1：失敗");
    EXPECT_EQ(memoLines().value(1).toStdString(), "2 1 R1");
    EXPECT_EQ(memoLines().value(2).toStdString(), "1 1 R2") << "white's refutation";
    EXPECT_EQ(state.game.pos.at(2, 1).Stone, Black);
}

// Shift with the right button on a white stone names the target: the stone
// stays, a small red square marks it, and 検証 names the group it proved.
TEST_F(ProveWindow, ShiftRightClickNamesTheTarget) {
    dialogs.openAnswers.push_back(QString::fromUtf8(KELDRA_SOURCE_DIR "/problems/01-bent-three.go"));
    form.Open1->trigger();
    const Board before = state.game.pos.board;
    ASSERT_EQ(state.game.pos.at(1, 3).Stone, White);
    const int cell = state.window.CellSize;
    QTest::mouseClick(form.BAN1, Qt::RightButton, Qt::ShiftModifier, QPoint(1 * cell, 3 * cell));
    EXPECT_TRUE(before == state.game.pos.board);
    EXPECT_EQ(form.BAN1->marks(), (std::vector<BoardMark>{{1, 3, MarkKind::Target}}));
    EXPECT_EQ(colourNear(1, 3), QColor(255, 0, 0));

    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_TRUE(memoLines().contains(QString::fromUtf8("対象：1 3 の石"))) << memoLines().join('|').toStdString();
}

// Esc while a long proof runs: it ends at once with nothing decided.
TEST_F(ProveWindow, EscStopsALongProof) {
    for (const auto& [x, y] : {std::pair{3, 2}, {11, 2}, {3, 12}, {11, 12}}) state.game.pos.at(x, y).Stone = Black;
    state.game.pos.at(7, 7).Stone = White;
    QTimer::singleShot(200, &form, [this] { QTest::keyClick(&form, Qt::Key_Escape); });
    const auto started = std::chrono::steady_clock::now();
    form.Prove1->trigger();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, 1.5);
    EXPECT_EQ(form.Edit6->text().toStdString(), "判定できません");
    EXPECT_TRUE(memoLines().contains(QString::fromUtf8("検証を中止しました。")));
    EXPECT_TRUE(form.Button7->isEnabled());
}

// The stubborn white's choice goes to the logic and is read back by the
// next window, on and off again.
TEST_F(ProveWindow, StubbornWhiteIsRemembered) {
    for (const bool on : {true, false}) {
        form.StubbornWhite1->trigger();
        EXPECT_EQ(form.logic().StubbornWhite(), on);
        Session other;
        TForm1 next(other, QSize(800, 600));
        EXPECT_EQ(next.StubbornWhite1->isChecked(), on);
        EXPECT_EQ(next.logic().StubbornWhite(), on);
    }
    EXPECT_FALSE(QSettings(QStringLiteral("ZORVEK"), QStringLiteral("keldra")).value("prover/stubbornWhite").toBool());
}

}  // namespace
}  // namespace keldra
