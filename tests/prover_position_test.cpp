// The prover's position against the rules engine: thousands of random games
// on a small corner, each move played both by PlayInto and by PlaceStone.
// Legality, the stones after the move, the ko ban, the stone counts and the
// hash made move by move must equal what the engine's board says, the hash
// recomputed from scratch included.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "BAN/rules.h"
#include "prover/position.h"

namespace {

using namespace keldra;
using namespace keldra::prover;

// A set-up where every point of the corner x, y <= side is movable and no
// stone is safe, so that captures follow the rules alone.
ProblemSetup cornerSetup(int side) {
    ProblemSetup s;
    s.hasTarget = true;
    s.x0 = 1, s.x1 = side, s.y0 = 1, s.y1 = side;
    for (int x = 1; x <= side; ++x) {
        for (int y = 1; y <= side; ++y) {
            const int i = IndexOf(x, y);
            s.movable[static_cast<std::size_t>(i)] = 1;
            s.moves[static_cast<std::size_t>(s.moveCount++)] = static_cast<std::uint8_t>(i);
        }
    }
    return s;
}

std::string picture(const Board& b, int side) {
    std::string s;
    for (int y = 1; y <= side; ++y) {
        for (int x = 1; x <= side; ++x) s += b[x][y].Stone == Black ? 'X' : b[x][y].Stone == White ? 'O' : '.';
        s += '\n';
    }
    return s;
}

TEST(ProverPosition, RandomGamesPlayAsTheRulesEngine) {
    // Corners of 3 to 5 lines: small enough that captures and kos come
    // often. Nobody is ko master, as in the rules engine.
    SearchRules rules;
    rules.koMaster = Empty;
    std::mt19937 random(20261209);
    int games = 0, captures = 0, kos = 0, refused = 0;
    for (const int side : {3, 4, 5}) {
        const ProblemSetup setup = cornerSetup(side);
        for (int game = 0; game < 600; ++game, ++games) {
            Position pos;
            Board empty;
            InitBoard(empty);
            SearchNode n = RootNode(empty, setup, Black);
            FillScratch fs;
            for (int ply = 0; ply < 60; ++ply) {
                const int x = 1 + static_cast<int>(random() % static_cast<unsigned>(side));
                const int y = 1 + static_cast<int>(random() % static_cast<unsigned>(side));
                const int i = IndexOf(x, y);
                const std::uint8_t colour = n.toMove;
                if (pos.board[x][y].Stone != Empty) {
                    SearchNode ignored;
                    EXPECT_FALSE(PlayInto(n, i, ignored, setup, rules, fs, false)) << "occupied " << x << "," << y;
                    continue;
                }
                const Board before = pos.board;
                PlaceStone(pos, x, y, colour);
                const bool stands = pos.board[x][y].Stone == colour;
                SearchNode child;
                const bool played = PlayInto(n, i, child, setup, rules, fs, false);
                const std::string where = "side " + std::to_string(side) + " game " + std::to_string(game) +
                                          " move " + std::to_string(x) + "," + std::to_string(y) + "\n" +
                                          picture(before, side);
                ASSERT_EQ(played, stands) << where;
                if (!stands) {
                    ++refused;
                    pos.board = before;
                    // The engine refused: the same colour plays elsewhere next
                    // time, as the position has not moved.
                    continue;
                }
                int black = 0, white = 0;
                for (int px = 1; px <= side; ++px) {
                    for (int py = 1; py <= side; ++py) {
                        const std::uint8_t c = pos.board[px][py].Stone;
                        ASSERT_EQ(child.cell[static_cast<std::size_t>(IndexOf(px, py))], CellOf(c)) << where;
                        black += c == Black, white += c == White;
                        // The engine marks the point the opponent may not retake.
                        const bool banned = pos.board[px][py].KoMark == 1 && pos.board[px][py].KoColour == child.toMove;
                        ASSERT_EQ(banned, child.koBan == IndexOf(px, py)) << where;
                        kos += banned;
                    }
                }
                ASSERT_EQ(child.blackStones, black) << where;
                ASSERT_EQ(child.whiteStones, white) << where;
                captures += child.captured != 0;
                // The hash made move by move is the hash of the stones.
                ASSERT_EQ(child.stones, RootNode(pos.board, setup, child.toMove).stones) << where;
                n = child;
            }
        }
    }
    EXPECT_EQ(games, 1800);
    EXPECT_GT(captures, 1000) << "the games should capture often";
    EXPECT_GT(kos, 100) << "the games should make kos";
    EXPECT_GT(refused, 100) << "the games should try self-captures and ko retakes";
}

TEST(ProverPosition, KoMasterRetakesAtOnceAndKeysTellTheBanApart) {
    // Black takes the white stone at 3,1 by playing 2,1: white's retake at
    // 3,1 is barred except for a ko master.
    Position pos;
    const int stones[][3] = {{1, 1, White}, {2, 2, White}, {3, 1, White},
                             {3, 2, Black}, {4, 1, Black}};
    for (const auto& s : stones) pos.board[s[0]][s[1]].Stone = static_cast<std::uint8_t>(s[2]);
    const ProblemSetup setup = cornerSetup(5);
    SearchNode root = RootNode(pos.board, setup, Black);
    FillScratch fs;
    for (const std::uint8_t master : {std::uint8_t{Empty}, std::uint8_t{White}}) {
        SearchRules rules;
        rules.koMaster = master;
        SearchNode afterTake, afterRetake;
        // Black 2,1 captures the white stone at 3,1.
        ASSERT_TRUE(PlayInto(root, IndexOf(2, 1), afterTake, setup, rules, fs, false));
        ASSERT_EQ(afterTake.koBan, IndexOf(3, 1));
        EXPECT_EQ(PlayInto(afterTake, IndexOf(3, 1), afterRetake, setup, rules, fs, false), master == White)
            << "ko master " << int(master);
        // The same stones with and without the ban are different positions,
        // unless the side to move is ko master and the ban does not bind it.
        SearchNode unbanned = afterTake;
        unbanned.koBan = 0;
        EXPECT_EQ(KeyOf(afterTake, rules) == KeyOf(unbanned, rules), master == White) << "ko master " << int(master);
    }
}

}  // namespace
