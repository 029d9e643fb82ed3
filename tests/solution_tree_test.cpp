// The solution tree's rows and positions: variations after the line above
// them, marks from the judgements, and the numbers of the stones that stand.
#include <gtest/gtest.h>

#include "QELMA/logic/solution_tree.h"
#include "test_support.h"

namespace keldra {
namespace {

SgfMove move(int colour, int x, int y) {
    return SgfMove{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

TEST(SolutionTree, RowsInBookOrderWithMarks) {
    SgfTree t;
    const int a = t.add(0, move(Black, 2, 1), "急所\n二行目", SgfJudgement::Correct);
    const int b = t.add(a, move(White, 1, 1));
    t.add(b, move(Black, 3, 1), "", SgfJudgement::Correct);
    t.add(a, move(White, 3, 1), "コウになる");
    t.add(0, move(Black, 1, 1), "失敗", SgfJudgement::Wrong);
    t.add(0, move(Black, 0, 0));
    std::string rows;
    for (const auto& r : SolutionTreeRows(t)) rows += std::to_string(r.node) + "|" + r.text + "\n";
    EXPECT_EQ(rows,
              "1|○ 黒 2 1　急所\n"
              "2|  ・ 白 1 1\n"
              "3|    ○ 黒 3 1\n"
              "4|  コウ 白 3 1　コウになる\n"
              "5|× 黒 1 1　失敗\n"
              "6|・ 黒 パス\n");
}

// A line with a capture: the taken stone loses its number.
TEST(SolutionTree, PositionNumbersTheStonesThatStand) {
    const Board start = test::BoardFromPicture(R"(
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
        . . . . . . . . . . . . .)");
    SgfTree t;
    const int wrong = t.add(0, move(Black, 1, 1));
    const int takes = t.add(wrong, move(White, 2, 1));
    const int again = t.add(takes, move(Black, 6, 6));
    const TreePosition at = PositionAtNode(start, t, again);
    EXPECT_EQ(at.numbers, (std::vector<BoardMark>{{2, 1, MarkKind::MoveNumber, 2}, {6, 6, MarkKind::MoveNumber, 3}}));
    EXPECT_EQ(at.board[1][1].Stone, Empty);
    EXPECT_EQ(at.board[2][1].Stone, White);

    Position pos;
    pos.board = start;
    pos.LastX = 5;
    {
        TreePreview preview(pos);
        preview.Show(start, t, takes);
        EXPECT_EQ(pos.board[1][1].Stone, Empty) << "taken";
    }
    EXPECT_EQ(test::PictureOf(pos.board), test::PictureOf(start));
    EXPECT_EQ(pos.LastX, 5);
}

}  // namespace
}  // namespace keldra
