// The study items of the window: the progress store on a real SQLite file
// (kept between runs, a damaged file set aside, a locked one giving one
// message at once), and the solution tree window showing a line on the
// board and leaving the game as it was.
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

#include "BAN/problem_file.h"
#include "QELMA/progress_store_sqlite.h"
#include "QELMA/tform3.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

namespace keldra {
namespace {

class ProgressStoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }
    QString dbPath() const { return dir.filePath(QStringLiteral("data/progress.sqlite")); }
    QTemporaryDir dir;
};

TEST_F(ProgressStoreTest, ResultsOutliveTheStore) {
    const struct {
        const char* file;
        int tree;
        ProblemResult result;
    } rows[] = {
        {"/books/a.sgf", 0, ProblemResult::SolvedFirstTry},
        {"/books/a.sgf", 3, ProblemResult::Failed},
        {"/books/a.sgf", 3, ProblemResult::SolvedAfterMistakes},  // replaces the failure
        {"/books/問題集.sgf", 1, ProblemResult::Failed},
    };
    {
        SqliteProgressStore store(dbPath());
        for (const auto& r : rows) EXPECT_TRUE(store.Keep(r.file, r.tree, r.result)) << r.file << " " << r.tree;
        EXPECT_EQ(store.TakeMessage(), "");
    }
    SqliteProgressStore again(dbPath());
    EXPECT_EQ(again.ResultsOf("/books/a.sgf"),
              (std::map<int, ProblemResult>{{0, ProblemResult::SolvedFirstTry}, {3, ProblemResult::SolvedAfterMistakes}}));
    EXPECT_EQ(again.ResultOf("/books/問題集.sgf", 1), ProblemResult::Failed);
    EXPECT_EQ(again.SolvedCount("/books/a.sgf"), 2);
    EXPECT_TRUE(again.ResultsOf("/books/other.sgf").empty());
}

// Garbage where the database should be, and a database cut short: the file
// goes aside under a new name with one message, and a new one is begun.
TEST_F(ProgressStoreTest, DamagedFileIsSetAside) {
    const auto truncated = [this] {
        {
            SqliteProgressStore store(dbPath());
            for (int tree = 0; tree < 40; ++tree) store.Keep("/books/a.sgf", tree, ProblemResult::Failed);
        }
        QFile f(dbPath());
        EXPECT_TRUE(f.open(QIODevice::ReadWrite));
        const QByteArray head = f.read(100);
        f.resize(0);
        f.write(head);
        f.write(QByteArray(5000, '\x5a'));
    };
    const auto garbage = [this] {
        QDir().mkpath(dir.filePath(QStringLiteral("data")));
        QFile f(dbPath());
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("not a database at all\n").repeated(300));
    };
    for (const auto& damage : {std::function<void()>(garbage), std::function<void()>(truncated)}) {
        for (const QString& name : QDir(dir.filePath(QStringLiteral("data"))).entryList(QDir::Files)) {
            QFile::remove(dir.filePath(QStringLiteral("data/") + name));
        }
        damage();
        const QByteArray damaged = [&] {
            QFile f(dbPath());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        SqliteProgressStore store(dbPath());
        EXPECT_TRUE(store.ResultsOf("/books/a.sgf").empty());
        ASSERT_FALSE(store.SetAside().isEmpty());
        const std::string message = store.TakeMessage();
        EXPECT_NE(message.find("記録ファイルが壊れていたので"), std::string::npos) << message;
        EXPECT_NE(message.find(QFileInfo(store.SetAside()).fileName().toStdString()), std::string::npos) << message;
        EXPECT_EQ(store.TakeMessage(), "") << "once";
        QFile aside(store.SetAside());
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), damaged) << "kept as it was";
        EXPECT_TRUE(store.Keep("/books/a.sgf", 0, ProblemResult::SolvedFirstTry));
        EXPECT_EQ(SqliteProgressStore(dbPath()).ResultOf("/books/a.sgf", 0), ProblemResult::SolvedFirstTry);
    }
}

// Another program holds the database locked: the write gives up within a
// moment, says so once, and the run still knows its results.
TEST_F(ProgressStoreTest, LockedFileGivesOneMessageAtOnce) {
    {
        SqliteProgressStore store(dbPath());
        ASSERT_TRUE(store.Keep("/books/a.sgf", 0, ProblemResult::Failed));
    }
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-program"));
    other.setDatabaseName(dbPath());
    ASSERT_TRUE(other.open());
    {
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        SqliteProgressStore store(dbPath());
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(store.Keep("/books/a.sgf", 1, ProblemResult::SolvedFirstTry));
        EXPECT_FALSE(store.Keep("/books/a.sgf", 2, ProblemResult::SolvedFirstTry));
        EXPECT_LT(clock.elapsed(), 1500);
        const std::string message = store.TakeMessage();
        EXPECT_NE(message.find("記録ファイルに書き込めません"), std::string::npos) << message;
        EXPECT_EQ(store.TakeMessage(), "") << "one message";
        EXPECT_EQ(store.ResultOf("/books/a.sgf", 2), ProblemResult::SolvedFirstTry) << "kept for the run";
        EXPECT_TRUE(store.SetAside().isEmpty()) << "a locked file is not damaged";
        QSqlQuery end(other);
        end.exec(QStringLiteral("ROLLBACK"));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other-program"));
    EXPECT_EQ(SqliteProgressStore(dbPath()).ResultOf("/books/a.sgf", 0), ProblemResult::Failed) << "nothing lost";
}

SgfMove move(int colour, int x, int y) {
    return SgfMove{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

class StudyWindow : public test::WindowTest {};

// Choosing a row shows its line with move numbers; closing the window
// brings back the game's board, last move and record untouched.
TEST_F(StudyWindow, RowShowsItsLineAndClosingRestoresTheGame) {
    state.game.pos.board = test::BoardFromPicture(test::BentThree);
    PlayMove(state.game.pos, state.game.rec, 8, 8, Black);
    const Board before = state.game.pos.board;
    const GameRecord recordBefore = state.game.rec;

    SgfTree tree;
    const int right = tree.add(0, move(Black, 1, 1), "正解", SgfJudgement::Correct);
    const int answer = tree.add(right, move(White, 1, 2));
    tree.add(answer, move(Black, 2, 1), "", SgfJudgement::Correct);
    tree.add(0, move(Black, 1, 2), "失敗", SgfJudgement::Wrong);
    const Board start = test::BoardFromPicture(test::BentThree);

    TForm3 window(tree, start, state.game.pos, form.BAN1, &form);
    ASSERT_EQ(window.List1->count(), 4);
    EXPECT_EQ(window.List1->item(0)->text().toStdString(), "○ 黒 1 1　正解");
    EXPECT_EQ(window.List1->item(3)->text().toStdString(), "× 黒 1 2　失敗");
    window.List1->setCurrentRow(1);
    EXPECT_EQ(state.game.pos.at(1, 1).Stone, Black);
    EXPECT_EQ(state.game.pos.at(1, 2).Stone, White);
    EXPECT_EQ(state.game.pos.at(8, 8).Stone, Empty) << "the line's position, not the game's";
    EXPECT_EQ(form.BAN1->marks().size(), 2u);
    window.reject();
    EXPECT_EQ(test::PictureOf(state.game.pos.board), test::PictureOf(before));
    EXPECT_EQ(state.game.pos.LastX, 8);
    EXPECT_EQ(state.game.rec.MoveCount, recordBefore.MoveCount);
    EXPECT_TRUE(form.BAN1->marks().empty());
}

// Straight three: black kills at 2 1; 1 1 is refuted at 2 1.
constexpr const char* StraightThree = R"(
    . . . O X . . . . . . . .
    O O O O X . . . . . . . .
    X X X X X . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// Clicks and keys on the real window: a wrong move refuted on the board,
// R takes the pair back, the right move solves.
TEST_F(StudyWindow, WrongMoveRefutedAndTakenBackByTheKey) {
    QTemporaryDir folder;
    const QString problem = folder.filePath(QStringLiteral("three.go"));
    ASSERT_TRUE(WriteProblemFile(problem.toStdString(), test::BoardFromPicture(StraightThree), nullptr));
    MemoryProgressStore progress;
    form.logic().SetProgressStore(&progress);
    form.Study1->setChecked(true);
    dialogs.openAnswers.push_back(problem);
    form.Button12->click();
    ASSERT_EQ(state.window.mode, GameMode::Play);
    const Board start = state.game.pos.board;

    clickPoint(1, 1);
    EXPECT_EQ(state.game.pos.at(2, 1).Stone, White) << "the refutation";
    EXPECT_EQ(state.game.pos.at(1, 1).Stone, Empty);
    const QString memo = form.Memo1->toPlainText();
    EXPECT_TRUE(memo.startsWith(QString::fromUtf8("three.go　0/1 解いた\n不正解"))) << memo.toStdString();
    EXPECT_TRUE(memo.contains(QString::fromUtf8("白 2 1 で生き"))) << memo.toStdString();
    EXPECT_TRUE(dialogs.messages.empty());

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_R);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    EXPECT_EQ(test::PictureOf(state.game.pos.board), test::PictureOf(start));

    clickPoint(2, 1);
    EXPECT_TRUE(form.Memo1->toPlainText().contains(QString::fromUtf8("正解！")));
    EXPECT_EQ(progress.ResultOf(problem.toStdString(), 0), ProblemResult::SolvedAfterMistakes);
}

// A book of 200,000 nodes, one long line: the window opens within a moment
// and says how much of the list it leaves out.
TEST_F(StudyWindow, HugeBookOpensAtOnce) {
    SgfTree tree;
    int node = 0;
    for (int i = 0; i < 200000; ++i) node = tree.add(node, move(i % 2 ? White : Black, 1 + i % 13, 1 + i / 13 % 13));
    QElapsedTimer clock;
    clock.start();
    TForm3 window(tree, test::BoardFromPicture(test::BentThree), state.game.pos, form.BAN1, &form);
    EXPECT_LT(clock.elapsed(), 2000);
    ASSERT_EQ(window.List1->count(), 5001);
    EXPECT_EQ(window.List1->item(5000)->text().toStdString(), "（以下略：195000 手）");
    window.List1->setCurrentRow(4999);  // a line of 5,000 moves, stones taken on the way
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST_F(StudyWindow, StudyItemsAndKeys) {
    EXPECT_FALSE(form.Study1->isChecked()) << "off at start";
    EXPECT_FALSE(form.Retry1->isEnabled()) << "R types into the memo while study mode is off";
    form.Study1->setChecked(true);
    EXPECT_TRUE(form.logic().StudyModeOn());
    EXPECT_TRUE(form.Retry1->isEnabled());
    EXPECT_EQ(form.SolutionTree1->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(form.Retry1->shortcut(), QKeySequence(Qt::Key_R));
}

}  // namespace
}  // namespace keldra

namespace keldra {
namespace {

// F6 on a position without a book: the window opens on the prover's proof
// tree, says so, and a row of it shows its line on the board.
TEST_F(StudyWindow, F6WithoutABookListsTheProof) {
    state.game.pos.board = test::BoardFromPicture(StraightThree);
    state.game.rec.MoveCount = 0;
    const Board before = state.game.pos.board;
    std::string header, vitalRow, lineShown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        if (!window) return;
        poll.stop();
        header = window->Label1->text().toStdString();
        for (int row = 0; row < window->List1->count(); ++row) {
            if (window->List1->item(row)->text().toStdString() != "○ 黒 2 1　正解") continue;
            vitalRow = window->List1->item(row)->text().toStdString();
            window->List1->setCurrentRow(row + 1);  // white's first defence
            lineShown = test::PictureOf(state.game.pos.board);
        }
        window->reject();
    });
    poll.start(20);
    form.SolutionTree1->trigger();
    EXPECT_EQ(header, "検証の解答図：黒先白死（無条件）");
    EXPECT_EQ(vitalRow, "○ 黒 2 1　正解");
    EXPECT_NE(lineShown, test::PictureOf(before)) << "the line's position was shown";
    EXPECT_EQ(test::PictureOf(state.game.pos.board), test::PictureOf(before));
}

}  // namespace
}  // namespace keldra
