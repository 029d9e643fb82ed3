// The prover's line after automatic solving: the verdict on the first move
// it played, and only where the window asks for it.
#include <gtest/gtest.h>

#include "QELMA/logic/form1_logic.h"
#include "QELMA/logic/solve_check.h"
#include "test_support.h"

namespace keldra {
namespace {

// Straight three on the edge: 2 1 kills, 1 1 and 3 1 are refuted at 2 1.
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

TEST(SolveCheck, LineForEachFirstMove) {
    test::RecordingView view;
    ProveControl control;
    const Board board = test::BoardFromPicture(StraightThree);
    const struct {
        int x, y;
        const char* line;
    } cases[] = {
        {2, 1, "検証：正しい"},
        {1, 1, "検証：誤り（白 2 1 で生き）"},
        {3, 1, "検証：誤り（白 2 1 で生き）"},
        {13, 13, "検証：判定できません"},  // no first move of the proof
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckFirstMove(board, c.x, c.y, view, control), c.line) << c.x << "," << c.y;
    }

    // Bent four in the corner: the vital point 2 1 kills only through ko.
    const Board bentFour = test::BoardFromPicture(R"(
        . . . O X . . . . . . . .
        . O O O X . . . . . . . .
        O O X X X . . . . . . . .
        X X X . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .)");
    EXPECT_EQ(CheckFirstMove(bentFour, 2, 1, view, control), "検証：コウ");

    // A move the proof left open, and a refutation by a pass.
    prover::ProveResult result;
    result.firstMoves.push_back({{5, 1, Black}, prover::FirstMoveStatus::Unknown, {}, 0});
    result.firstMoves.push_back({{6, 1, Black}, prover::FirstMoveStatus::Refuted, {0, 0, White}, 0});
    EXPECT_EQ(SolutionCheckLine(result, 5, 1), "検証：判定できません");
    EXPECT_EQ(SolutionCheckLine(result, 6, 1), "検証：誤り（白 パス で生き）");
}

// 解答 on a bundled problem: the window's logic adds the prover's line after
// the solution; without the check (keldra-cli) the memo is the line alone.
TEST(SolveCheck, AutomaticSolvingGainsOneLineInTheWindowOnly) {
    for (const bool check : {false, true}) {
        Session state;
        test::RecordingView view;
        Form1Logic logic(state, view);
        logic.SetSolutionCheck(check);
        view.openFile = test::SourcePath("problems/02-straight-three.go");
        logic.Open1Click();
        logic.Button7Click();
        ASSERT_EQ(view.messages, std::vector<std::string>{"詰みました。黒の勝ち。"});
        EXPECT_EQ(view.edit6, "X= 6  Y= 1  TOTAL= 1") << "the solution's result stays in Edit6";
        EXPECT_EQ(view.edit6Colour, Red);
        ASSERT_EQ(view.memo.size(), state.game.rec.MoveCount + (check ? 1u : 0u));
        EXPECT_EQ(view.memo.front(), "6 1 R1");
        if (check) {
            EXPECT_EQ(view.memo.back(), "検証：正しい");
        }
    }
}

}  // namespace
}  // namespace keldra
