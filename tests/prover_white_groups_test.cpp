// White's groups as the prover's set-up sees them: which strings black can
// cut at once and which it cannot.
#include <gtest/gtest.h>

#include "prover/grid.h"
#include "prover/white_groups.h"
#include "prover_composed_problems.h"

namespace {

using namespace keldra;

prover::Cells cellsOf(const char* rows) {
    const Board b = test::ComposedBoard(rows);
    prover::Cells cell{};
    cell.fill(prover::EdgeCell);
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) cell[static_cast<std::size_t>(IndexOf(x, y))] = prover::CellOf(b[x][y].Stone);
    return cell;
}

// Each row: a position with white stones at (2,2) (or (ax, ay)) and (x, y),
// and whether they are one group.
TEST(ProverWhiteGroups, StringsJoinWhereBlackCannotCutAtOnce) {
    const struct {
        const char* what;
        const char* rows;
        int x, y;
        bool joined;
        int ax = 2, ay = 2;
    } cases[] = {
        {"diagonal, both crossing points empty", R"(
            .....
            .O...
            ..O..)", 3, 3, true},
        {"diagonal, one crossing point black", R"(
            .....
            .OX..
            ..O..)", 3, 3, false},
        {"bamboo joint", R"(
            .....
            .O.O.
            .O.O.)", 4, 2, true},
        {"one-point jump", R"(
            .....
            .O.O.
            .....)", 4, 2, false},
        {"tiger's mouth: black's stone there would be taken at once", R"(
            .....
            .O.O.
            ..O..)", 4, 2, true},
        {"the same gap, black's stone there joined to black's wall", R"(
            .....
            .O.O.
            ..X..
            ..X..)", 4, 2, false},
        // White captures black's stone in the mouth from (3,1); what that
        // capturing stone keeps decides. Black stones at (2,3) and (4,3)
        // keep the diagonals from joining the strings by themselves.
        {"tiger's mouth: white's capture keeps three liberties", R"(
            .....
            .O.O.
            .XOX.)", 4, 2, true},
        {"snapback: white's capture keeps only the mouth", R"(
            .X.X.
            .O.O.
            .XOX.)", 4, 2, false},
        {"white's capture keeps two liberties: still joined (its connection may join a strong group)", R"(
            .X...
            .O.O.
            .XOX.)", 4, 2, true},
        // Connect and die: black's stone in the mouth at (7,1) (or (6,1))
        // is taken, black ataris from (4,1), and white's connection in the
        // mouth leaves the strings one liberty. The mouth at (9,1) leads to
        // the open board.
        {"connect and die: the mouth between (6,2) and (8,1)", R"(
            ....O..O.
            ...XXOOXO
            ..OOOXXXO)", 8, 1, false, 6, 2},
        {"connect and die: the mouth between (5,1) and (6,2)", R"(
            ....O..O.
            ...XXOOXO
            ..OOOXXXO)", 5, 1, false, 6, 2},
        {"the mouth whose connection reaches the open board", R"(
            ....O..O.
            ...XXOOXO
            ..OOOXXXO)", 9, 2, true, 8, 1},
        {"a chain of links: joins carry over", R"(
            ......
            .O....
            ..O...
            ...O..)", 4, 4, true},
    };
    for (const auto& c : cases) {
        const prover::Cells cell = cellsOf(c.rows);
        const prover::WhiteGroups g = prover::WhiteGroupsOf(cell);
        const auto label = [&](int x, int y) { return g.label[static_cast<std::size_t>(IndexOf(x, y))]; };
        ASSERT_NE(label(c.ax, c.ay), 0) << c.what;
        ASSERT_NE(label(c.x, c.y), 0) << c.what;
        EXPECT_EQ(label(c.ax, c.ay) == label(c.x, c.y), c.joined) << c.what;
    }
}

}  // namespace
