// The bundled problems: automatic solving kills each one with its intended
// first move, the line it plays out leaves white without a way to live, and
// no other first move kills.
#include <gtest/gtest.h>

#include <string>

#include "QELMA/logic/form1_logic.h"
#include "solver/candidates.h"
#include "solver/kill_search.h"
#include "test_support.h"

namespace keldra {
namespace {

struct BundledProblem {
    const char* file;  // under problems/
    int x, y;          // the killing first move
};

// Keep in step with problems/README.md.
constexpr BundledProblem Problems[] = {
    {"01-bent-three.go", 1, 1},
    {"02-straight-three.go", 6, 1},
    {"03-bulky-five.go", 2, 1},
    {"04-flower-five.go", 7, 12},
    {"05-inside-stone.go", 3, 1},
    {"06-hane.go", 9, 1},
    {"07-rabbity-six.go", 12, 12},
    {"08-key-point.go", 7, 1},
    {"09-which-side.go", 4, 1},
};

int stonesOf(const Board& board, std::uint8_t colour) {
    int n = 0;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) n += board[x][y].Stone == colour;
    return n;
}

// White is lost in the final position when no white stone is left, or when
// white has no legal point left in its area: every empty point there would
// take the last liberty of white's own stones, so they are down to one eye at
// most, and the program ends the game there as black's win.
bool whiteIsLost(Position pos) {
    if (stonesOf(pos.board, White) == 0) return true;
    CandidateList white;
    GenerateCandidates(pos, White, white);
    return white.count == 0;
}

// A bundled problem, loaded the way the open command loads it.
struct LoadedProblem {
    Session state;
    test::RecordingView view;
    Form1Logic logic{state, view};

    explicit LoadedProblem(const BundledProblem& p) {
        view.openFile = test::SourcePath(std::string("problems/") + p.file);
        logic.Open1Click();
    }
    bool loaded() const { return view.messages.empty(); }
};

TEST(BundledProblemsTest, AutomaticSolvingKillsEveryProblem) {
    for (const BundledProblem& p : Problems) {
        SCOPED_TRACE(p.file);
        LoadedProblem problem(p);
        ASSERT_TRUE(problem.loaded());
        const Session& state = problem.state;
        const test::RecordingView& view = problem.view;
        const Board start = state.game.pos.board;

        problem.logic.Button7Click();

        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0], "詰みました。黒の勝ち。");
        ASSERT_FALSE(view.memo.empty());
        EXPECT_EQ(view.memo[0], std::to_string(p.x) + " " + std::to_string(p.y) + " R1");

        // The play-out is the memo's line, black first, colours alternating,
        // each move recorded on top of the loaded problem.
        ASSERT_EQ(std::size_t{state.game.rec.MoveCount}, view.memo.size());
        for (int i = 1; i <= state.game.rec.MoveCount; ++i) {
            const MoveRecord& m = state.game.rec.record(i);  // move i was searched at ply i
            EXPECT_EQ(view.memo[static_cast<std::size_t>(i - 1)],
                      std::to_string(m.X) + " " + std::to_string(m.Y) + " R" + std::to_string(i))
                << "move " << i;
            EXPECT_EQ(m.colour, i % 2 == 1 ? Black : White) << "move " << i;
        }
        EXPECT_EQ(test::PictureOf(state.game.rec.StartSnapshot), test::PictureOf(start));
        EXPECT_TRUE(whiteIsLost(state.game.pos)) << "after the play-out:\n" << test::PictureOf(state.game.pos.board);
    }
}

// A problem with two answers is a flawed problem: under the program's rules
// every other first move of black's must fail, so that a change in the
// search that lets a wrong move kill shows up here.
TEST(BundledProblemsTest, EveryOtherFirstMoveFails) {
    for (const BundledProblem& p : Problems) {
        SCOPED_TRACE(p.file);
        LoadedProblem problem(p);
        ASSERT_TRUE(problem.loaded());
        Position& pos = problem.state.game.pos;

        CandidateList black;
        GenerateCandidates(pos, Black, black);
        ASSERT_TRUE(black.contains(p.x, p.y));
        for (int i = 1; i <= black.count; ++i) {
            const CandidateEntry& e = black.entry(i);
            if (e.X == p.x && e.Y == p.y) continue;
            Position trial = pos;
            EXPECT_EQ(int{KillSearch(trial, e.X, e.Y, 1)}, -1) << "black " << int(e.X) << " " << int(e.Y) << " kills too";
        }
    }
}

}  // namespace
}  // namespace keldra
