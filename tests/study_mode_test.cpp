// Study mode through the window's logic: each black move judged by the
// book's tree or the prover, a wrong move refuted and taken back, the end of
// a correct line, and the results the progress store keeps.
#include <gtest/gtest.h>

#include <algorithm>

#include "BAN/problem_file.h"
#include "QELMA/logic/form1_logic.h"
#include "QELMA/logic/study_mode.h"
#include "solver/search_support.h"
#include "test_support.h"

namespace keldra {
namespace {

constexpr int Cell = 38;

// Straight three on the edge: black at 2 1 kills; at 1 1 or 3 1 white
// answers 2 1 and makes two eyes.
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
    . . . . . . . . . . . . .
)";

SgfMove move(int colour, int x, int y) {
    return SgfMove{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

// The book: 2 1 (correct), white 1 1, black 3 1 ends the line; 1 1 is
// wrong and white's refutation 2 1 is given.
SgfTree bookTree() {
    SgfTree t;
    const int right = t.add(0, move(Black, 2, 1), "急所", SgfJudgement::Correct);
    const int answer = t.add(right, move(White, 1, 1), "", SgfJudgement::Correct);
    t.add(answer, move(Black, 3, 1), "取って白死", SgfJudgement::Correct);
    const int wrong = t.add(0, move(Black, 1, 1), "これは失敗", SgfJudgement::Wrong);
    t.add(wrong, move(White, 2, 1), "", SgfJudgement::Wrong);
    return t;
}

class StudyModeTest : public ::testing::Test {
protected:
    StudyModeTest() : logic(state, view) {
        state.window.CellSize = Cell;
        const Board board = test::BoardFromPicture(StraightThree);
        path = folder.path("three.go");
        EXPECT_TRUE(WriteProblemFile(path, board, nullptr));
        logic.SetStudyMode(true);
        logic.Button6Click();  // game mode
    }

    void open(bool withBook) {
        ASSERT_TRUE(logic.OpenProblemPath(path));
        if (withBook) logic.Study().Start(bookTree());
        start = state.game.pos.board;
    }
    void click(int x, int y) { logic.BAN1MOUSEDOWN(MouseButton::Left, x * Cell, y * Cell); }
    bool memoHas(const std::string& line) const { return std::find(view.memo.begin(), view.memo.end(), line) != view.memo.end(); }
    std::string memo() { return view.Memo1Text(); }
    std::uint8_t stone(int x, int y) { return state.game.pos.at(x, y).Stone; }
    ProblemResult kept() { return logic.Progress().ResultOf(path, 0); }

    test::ScratchFolder folder;
    std::string path;
    Session state;
    test::RecordingView view;
    Form1Logic logic;
    Board start{};
};

TEST_F(StudyModeTest, MemoOpensWithTheProblemAndTheCount) {
    open(false);
    ASSERT_FALSE(view.memo.empty());
    EXPECT_EQ(view.memo[0], "three.go　0/1 解いた");
    logic.SetStudyMode(false);
    ASSERT_TRUE(logic.OpenProblemPath(path));
    EXPECT_TRUE(view.memo.empty()) << "study mode off: the memo as ever";
}

// Right and wrong first moves, by the book and by the prover: the verdict,
// the book's comment, white's answer on the board.
TEST_F(StudyModeTest, EveryFirstMoveIsJudgedAtOnce) {
    const struct {
        const char* name;
        bool book;
        int x, y;
        const char* verdict;
        const char* comment;  // nullptr: none expected
        int whiteX, whiteY;   // white's answer
        ProblemResult result;
    } cases[] = {
        {"book, right", true, 2, 1, "正解", "急所", 1, 1, ProblemResult::None},
        {"book, wrong", true, 1, 1, "不正解", "これは失敗", 2, 1, ProblemResult::Failed},
        {"outside the book, wrong", true, 3, 1, "不正解", nullptr, 2, 1, ProblemResult::Failed},
        {"no book, wrong", false, 1, 1, "不正解", nullptr, 2, 1, ProblemResult::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.book);
        click(c.x, c.y);
        EXPECT_TRUE(view.messages.empty()) << view.messages.front();
        EXPECT_EQ(stone(c.whiteX, c.whiteY), White) << memo();
        EXPECT_EQ(state.game.rec.MoveCount, 2);
        ASSERT_GE(view.memo.size(), 2u);
        EXPECT_EQ(view.memo[1], c.verdict) << memo();
        if (c.comment) {
            EXPECT_EQ(view.memo[2], c.comment) << memo();
        }
        if (c.result == ProblemResult::Failed) {
            EXPECT_TRUE(memoHas("白 " + std::to_string(c.whiteX) + " " + std::to_string(c.whiteY) + " で生き")) << memo();
            EXPECT_EQ(view.memo.back(), "R：やり直す");
            EXPECT_EQ(stone(c.x, c.y), Empty) << "the refutation took the black stone";
        }
        EXPECT_EQ(kept(), c.result);
        logic.Progress().Keep(path, 0, ProblemResult::None);
    }
}

// A wrong move, taken back by R and by 戻す (the pair each time), then the
// book's line to its end: solved, after mistakes.
TEST_F(StudyModeTest, RetryTakesBackThePairAndTheLineEndSolves) {
    open(true);
    for (const bool useRetryKey : {true, false}) {
        click(1, 1);
        ASSERT_EQ(state.game.rec.MoveCount, 2);
        useRetryKey ? logic.RetryClick() : logic.Button2Click();
        EXPECT_EQ(state.game.rec.MoveCount, 0);
        EXPECT_EQ(test::PictureOf(state.game.pos.board), test::PictureOf(start));
    }
    EXPECT_EQ(kept(), ProblemResult::Failed);

    click(2, 1);
    EXPECT_EQ(stone(1, 1), White) << "the book's answer";
    EXPECT_EQ(kept(), ProblemResult::Failed) << "not solved yet";
    click(3, 1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(memoHas("取って白死"));
    EXPECT_TRUE(memoHas("正解！")) << memo();
    EXPECT_TRUE(memoHas("PageDown：次の問題"));
    EXPECT_EQ(view.memo.back(), "1/1 解いた");
    EXPECT_EQ(kept(), ProblemResult::SolvedAfterMistakes);
    EXPECT_EQ(state.window.mode, GameMode::Play) << "stays in game mode for the next problem";
}

// Without a book the prover judges: after the vital point white's longest
// resistance is a pass (every white move fills its own eye), so the problem
// is solved there, at the first try.
TEST_F(StudyModeTest, ProverProvesTheKillAndTheProblemIsSolved) {
    open(false);
    click(2, 1);
    ASSERT_GE(view.memo.size(), 3u);
    EXPECT_EQ(view.memo[1], "正解") << memo();
    EXPECT_EQ(view.memo[2], "正解！") << memo();
    EXPECT_EQ(state.game.rec.MoveCount, 1) << "white passes";
    EXPECT_EQ(kept(), ProblemResult::SolvedFirstTry);
}

TEST_F(StudyModeTest, PointsBlackMayNotPlayAreRefusedAsInGameMode) {
    open(true);
    for (const auto& [x, y] : {std::pair{4, 1}, std::pair{13, 13}}) {
        view.messages.clear();
        click(x, y);
        EXPECT_EQ(view.messages, std::vector<std::string>{"そこは、だめです。"}) << x << "," << y;
        EXPECT_EQ(state.game.rec.MoveCount, 0);
    }
}

// The problem after the last solved one: later game trees whose result is
// not a solution, across the files of the folder.
TEST_F(StudyModeTest, NextUnsolvedSkipsSolvedProblems) {
    const std::string second = folder.path("three2.go"), third = folder.path("three3.go");
    ASSERT_TRUE(WriteProblemFile(second, test::BoardFromPicture(StraightThree), nullptr));
    ASSERT_TRUE(WriteProblemFile(third, test::BoardFromPicture(StraightThree), nullptr));
    logic.Progress().Keep(second, 0, ProblemResult::SolvedFirstTry);
    logic.Progress().Keep(third, 0, ProblemResult::Failed);
    open(false);
    logic.NextUnsolvedClick();
    EXPECT_EQ(logic.LastOpened().path, third);
    logic.Progress().Keep(third, 0, ProblemResult::SolvedAfterMistakes);
    logic.NextUnsolvedClick();
    EXPECT_EQ(view.messages.back(), "未解決の問題はありません");
}

}  // namespace
}  // namespace keldra

namespace keldra {
namespace {

// With a proof tree at hand (the solution tree window's, of the problem
// without a book) a wrong move is judged and refuted from the tree, even
// when a fresh proof could settle nothing.
TEST_F(StudyModeTest, AProofTreeAtHandJudgesAndRefutes) {
    open(false);
    const std::optional<ListedTree> listed = logic.SolutionTreeClick();
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->header, "検証の解答図：黒先白死（無条件）");
    logic.ProveLimits().nodeLimit = 1;  // a new proof would come to nothing
    logic.ProveLimits().seconds = 0.001;
    click(1, 1);
    EXPECT_TRUE(memoHas("不正解")) << memo();
    EXPECT_TRUE(memoHas("白 2 1 で生き")) << memo();
    EXPECT_EQ(stone(2, 1), White);
    EXPECT_EQ(kept(), ProblemResult::Failed);
}

}  // namespace
}  // namespace keldra
