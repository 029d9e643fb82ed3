// The bundled problems: automatic solving kills each one with its intended
// first move, and the line it plays out leaves white without a way to live.
#include <gtest/gtest.h>

#include <string>

#include "QELMA/logic/form1_logic.h"
#include "solver/candidates.h"
#include "test_support.h"

namespace keldra {
namespace {

struct BundledProblem {
    const char* file;       // under problems/
    const char* firstMove;  // the first memo line: the killing move at ply 1
};

// Keep in step with problems/README.md.
constexpr BundledProblem Problems[] = {
    {"01-bent-three.go", "1 1 R1"},
    {"02-straight-three.go", "6 1 R1"},
    {"03-bulky-five.go", "2 1 R1"},
    {"04-flower-five.go", "7 12 R1"},
    {"05-inside-stone.go", "3 1 R1"},
    {"06-hane.go", "9 1 R1"},
    {"07-rabbity-six.go", "12 12 R1"},
    {"08-key-point.go", "7 1 R1"},
    {"09-which-side.go", "4 1 R1"},
};

int stonesOf(const Board& board, std::uint8_t colour) {
    int n = 0;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) n += board[x][y].Stone == colour;
    return n;
}

// White is lost in the final position when no white stone is left, or when
// white has no point to play in its own area: then every empty point there is
// a suicide for white, that is, white has no eye of two or more points and no
// liberty left to fill, and the program ends the game as black's win.
bool whiteIsLost(Position pos) {
    if (stonesOf(pos.board, White) == 0) return true;
    CandidateList white;
    GenerateCandidates(pos, White, white);
    return white.count == 0;
}

TEST(BundledProblemsTest, AutomaticSolvingKillsEveryProblem) {
    for (const BundledProblem& p : Problems) {
        SCOPED_TRACE(p.file);
        AppState state;
        test::RecordingView view;
        Form1Logic logic(state, view);
        view.openFile = test::SourcePath(std::string("problems/") + p.file);
        logic.Open1Click();
        ASSERT_TRUE(view.messages.empty()) << "the problem does not load";
        const Board start = state.pos.board;

        logic.Button7Click();

        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0], "詰みました。黒の勝ち。");
        ASSERT_FALSE(view.memo.empty());
        EXPECT_EQ(view.memo[0], p.firstMove);

        // The play-out is the memo's line, black first, colours alternating,
        // each move recorded on top of the loaded problem.
        EXPECT_EQ(state.rec.MoveCount, view.memo.size());
        for (int i = 1; i <= state.rec.MoveCount; ++i) {
            const MoveRecord& m = state.rec.record(i);
            const int ply = i;
            EXPECT_EQ(view.memo[static_cast<std::size_t>(i - 1)],
                      std::to_string(m.X) + " " + std::to_string(m.Y) + " R" + std::to_string(ply))
                << "move " << i;
            EXPECT_EQ(m.colour, ply % 2 == 1 ? Black : White) << "move " << i;
        }
        EXPECT_EQ(test::PictureOf(state.rec.StartSnapshot), test::PictureOf(start));
        EXPECT_TRUE(whiteIsLost(state.pos)) << "after the play-out:\n" << test::PictureOf(state.pos.board);
    }
}

}  // namespace
}  // namespace keldra
