// The prover's per-node tests against plain models of their rules, on
// random positions: the reach on the open side, the eye-like counts (from
// scratch and after a move) and Benson's test. The search's proof and
// disproof numbers, and so its node counts, rest on these values; the
// models fill groups and regions one point at a time, as the rules read.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "prover/benson.h"
#include "prover/move_generator.h"
#include "prover/position.h"
#include "prover/problem_setup.h"
#include "tests/prover_composed_problems.h"

namespace {

using namespace keldra;
using namespace keldra::prover;

struct Case {
    ProblemSetup setup;
    SearchNode node;
};

// A random position: stones over a rectangle and two lines around it, the
// area the rectangle; white dense enough that eyes and living chains occur.
// Safe, surrounding and target marks fall on random stones.
Case randomCase(std::mt19937& random) {
    const auto pick = [&](int lo, int hi) { return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo + 1)); };
    Case c;
    ProblemSetup& s = c.setup;
    s.hasTarget = true;
    s.x0 = pick(1, 9), s.x1 = std::min(BoardSide, s.x0 + pick(2, 7));
    s.y0 = pick(1, 9), s.y1 = std::min(BoardSide, s.y0 + pick(2, 7));
    const int whiteShare = pick(30, 70), blackShare = pick(10, 30);
    Board board;
    InitBoard(board);
    for (int x = std::max(1, s.x0 - 2); x <= std::min(BoardSide, s.x1 + 2); ++x) {
        for (int y = std::max(1, s.y0 - 2); y <= std::min(BoardSide, s.y1 + 2); ++y) {
            const int r = pick(0, 99);
            board[x][y].Stone = r < whiteShare ? White : r < whiteShare + blackShare ? Black : Empty;
        }
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const int i = IndexOf(x, y);
            const auto ii = static_cast<std::size_t>(i);
            const std::uint8_t stone = board[x][y].Stone;
            if (stone != Empty && pick(0, 9) == 0) s.safe[ii] = 1;
            if (stone == White && pick(0, 2) == 0) s.surrounding[ii] = 1;
            if (stone == White && pick(0, 1) == 0) s.initialTarget[ii] = 1;
            if (s.inArea(i)) {
                s.movable[ii] = 1;
                s.moves[static_cast<std::size_t>(s.moveCount++)] = static_cast<std::uint8_t>(i);
                s.openSide[ii] = pick(0, 1);
            }
        }
    }
    s.hasOpenSide = true;
    c.node = RootNode(board, s, pick(0, 1) ? Black : White);
    return c;
}

std::uint8_t at(const SearchNode& n, int i) { return n.cell[static_cast<std::size_t>(i)]; }

// The points of the group through `start`, and its liberties.
void groupOf(const SearchNode& n, int start, std::set<int>& stones, std::set<int>& liberties) {
    std::vector<int> todo{start};
    stones = {start};
    while (!todo.empty()) {
        const int p = todo.back();
        todo.pop_back();
        for (const int d : Offsets) {
            if (at(n, p + d) == Empty) liberties.insert(p + d);
            if (at(n, p + d) == at(n, start) && stones.insert(p + d).second) todo.push_back(p + d);
        }
    }
}

// The reach as the rules state it (see move_generator.h).
std::set<int> modelReach(const SearchNode& n, const ProblemSetup& s) {
    std::set<int> reach;
    for (int i = 0; i < GridPoints; ++i) {
        if (!s.inArea(i) || at(n, i) != Black || s.safe[static_cast<std::size_t>(i)]) continue;
        std::set<int> stones, liberties;
        groupOf(n, i, stones, liberties);
        if (liberties.size() <= 2) reach.insert(liberties.begin(), liberties.end());
        bool touchesTarget = false;
        for (const int d : Offsets) touchesTarget |= at(n, i + d) == White && n.isTarget(i + d);
        if (stones.size() != 1 || !touchesTarget || n.toMove != White) continue;
        for (const int l : liberties)
            if (PointX(l) == 1 || PointY(l) == 1 || PointX(l) == BoardSide || PointY(l) == BoardSide) reach.insert(l);
    }
    for (int i = 0; i < GridPoints; ++i) {
        const int x = PointX(i), y = PointY(i);
        if (x < s.x0 - 1 || x > s.x1 + 1 || y < s.y0 - 1 || y > s.y1 + 1 || at(n, i) != White) continue;
        const bool target = n.isTarget(i);
        // White's own stone one empty point from a target stone reaches
        // like the target: it is part of white's shape.
        bool besideTarget = false;
        for (const int d : Offsets) {
            if (at(n, i + d) != Empty) continue;
            for (const int e : Offsets) {
                const int t = i + d + e, tx = PointX(t), ty = PointY(t);
                besideTarget |= at(n, t) == White && n.isTarget(t) && tx >= s.x0 - 1 && tx <= s.x1 + 1 &&
                                ty >= s.y0 - 1 && ty <= s.y1 + 1;
            }
        }
        const bool near = target || n.toMove == Black || s.surrounding[static_cast<std::size_t>(i)] ||
                          (besideTarget && !s.safe[static_cast<std::size_t>(i)]);
        for (const int d : Offsets) {
            if (near) reach.insert(i + d);
            if (target && at(n, i + d) == Empty)
                for (const int e : Offsets) reach.insert(i + d + e);
        }
    }
    return reach;
}

// Eye-like points and target liberties among the movable points.
std::pair<int, int> modelEyes(const SearchNode& n, const ProblemSetup& s) {
    int eyes = 0, liberties = 0;
    for (int k = 0; k < s.moveCount; ++k) {
        const int p = s.moves[static_cast<std::size_t>(k)];
        if (at(n, p) != Empty) continue;
        bool eye = true, liberty = false;
        for (const int d : Offsets) {
            eye = eye && (at(n, p + d) == White || at(n, p + d) == EdgeCell);
            liberty = liberty || n.isTarget(p + d);
        }
        eyes += eye, liberties += liberty;
    }
    return {eyes, liberties};
}

// Benson's test over the area, with sets: chains of white stones inside the
// area (safe when they hold a safe stone or touch a white stone outside),
// regions of other points inside it; a region is vital to a chain when it
// stays inside the area, holds an empty point, and each of its empty points
// touches the chain. Chains short of two vital regions whose bordering
// chains all live are struck out until none is.
bool modelBenson(const SearchNode& n, const ProblemSetup& s) {
    std::vector<int> chainOf(GridPoints, -1), regionOf(GridPoints, -1);
    std::vector<bool> chainSafe, chainTarget;
    std::vector<std::vector<int>> regions;
    const auto flood = [&](int start, std::vector<int>& label, int id, auto belongs) {
        std::vector<int> todo{start}, points{start};
        label[static_cast<std::size_t>(start)] = id;
        while (!todo.empty()) {
            const int p = todo.back();
            todo.pop_back();
            for (const int d : Offsets) {
                const int q = p + d;
                if (s.inArea(q) && label[static_cast<std::size_t>(q)] < 0 && belongs(q)) {
                    label[static_cast<std::size_t>(q)] = id;
                    todo.push_back(q), points.push_back(q);
                }
            }
        }
        return points;
    };
    for (int i = 0; i < GridPoints; ++i) {
        if (!s.inArea(i) || at(n, i) != White || chainOf[static_cast<std::size_t>(i)] >= 0) continue;
        const int id = static_cast<int>(chainSafe.size());
        bool safe = false, target = false;
        for (const int p : flood(i, chainOf, id, [&](int q) { return at(n, q) == White; })) {
            safe = safe || s.safe[static_cast<std::size_t>(p)];
            target = target || n.isTarget(p);
            for (const int d : Offsets) safe = safe || (at(n, p + d) == White && !s.inArea(p + d));
        }
        chainSafe.push_back(safe), chainTarget.push_back(target);
    }
    for (int i = 0; i < GridPoints; ++i) {
        if (!s.inArea(i) || at(n, i) == White || at(n, i) == EdgeCell || regionOf[static_cast<std::size_t>(i)] >= 0)
            continue;
        regions.push_back(flood(i, regionOf, static_cast<int>(regions.size()), [&](int q) { return at(n, q) != White; }));
    }
    const std::size_t chains = chainSafe.size();
    if (chains == 0 || chains > 64 || regions.size() > 64) return false;
    std::vector<std::set<int>> border(regions.size());
    std::vector<std::vector<bool>> vitalTo(regions.size(), std::vector<bool>(chains, false));
    for (std::size_t r = 0; r < regions.size(); ++r) {
        bool open = false, anyEmpty = false;
        std::vector<bool> all(chains, true);
        for (const int p : regions[r]) {
            std::vector<bool> touching(chains, false);
            for (const int d : Offsets) {
                const int q = p + d;
                if (at(n, q) == White && s.inArea(q)) {
                    border[r].insert(chainOf[static_cast<std::size_t>(q)]);
                    touching[static_cast<std::size_t>(chainOf[static_cast<std::size_t>(q)])] = true;
                }
                if (at(n, q) != White && at(n, q) != EdgeCell && !s.inArea(q)) open = true;
            }
            if (at(n, p) != Empty) continue;
            anyEmpty = true;
            for (std::size_t k = 0; k < chains; ++k) all[k] = all[k] && touching[k];
        }
        for (std::size_t k = 0; k < chains; ++k) vitalTo[r][k] = !open && anyEmpty && all[k];
    }
    std::vector<bool> alive(chains, true);
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t k = 0; k < chains; ++k) {
            if (!alive[k] || chainSafe[k]) continue;
            int vital = 0;
            for (std::size_t r = 0; r < regions.size(); ++r) {
                bool bordersLive = true;
                for (const int b : border[r]) bordersLive = bordersLive && alive[static_cast<std::size_t>(b)];
                vital += vitalTo[r][k] && bordersLive;
            }
            if (vital < 2) alive[k] = false, changed = true;
        }
    }
    for (std::size_t k = 0; k < chains; ++k)
        if (alive[k] && !chainSafe[k] && chainTarget[k]) return true;
    return false;
}

std::string picture(const SearchNode& n, const ProblemSetup& s) {
    std::string out = "area " + std::to_string(s.x0) + "-" + std::to_string(s.x1) + " x " + std::to_string(s.y0) +
                      "-" + std::to_string(s.y1) + ", to move " + std::to_string(n.toMove) + "\n";
    for (int y = 1; y <= BoardSide; ++y) {
        for (int x = 1; x <= BoardSide; ++x) {
            const int i = IndexOf(x, y);
            out += at(n, i) == Black ? (s.safe[static_cast<std::size_t>(i)] ? 'B' : 'X')
                   : at(n, i) == White ? (n.isTarget(i) ? 'T' : s.safe[static_cast<std::size_t>(i)] ? 'F' : 'O')
                                       : '.';
        }
        out += '\n';
    }
    return out;
}

TEST(ProverFastPaths, ReachEyesAndBensonEqualTheirModelsOnRandomPositions) {
    std::mt19937 random(20261210);
    FillScratch fs;
    SearchRules rules;
    int alive = 0, afterMoves = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const Case c = randomCase(random);
        const SearchNode& n = c.node;
        const ProblemSetup& s = c.setup;
        const std::string where = "trial " + std::to_string(trial) + "\n" + picture(n, s);

        const PointMask reach = ReachOf(n, s, fs);
        const std::set<int> model = modelReach(n, s);
        for (int i = 0; i < GridPoints; ++i) ASSERT_EQ(HasPoint(reach, i), model.count(i) == 1) << where << "point " << i;

        int liberties = 0;
        const int eyes = EyeLikePoints(n, s, &liberties);
        ASSERT_EQ(std::make_pair(eyes, liberties), modelEyes(n, s)) << where;

        const bool lives = WhiteUnconditionallyAlive(n, s, fs);
        ASSERT_EQ(lives, modelBenson(n, s)) << where;
        alive += lives;

        // A move that takes nothing: the counts after it from the parent's.
        for (int k = 0; k < s.moveCount; ++k) {
            const int move = s.moves[static_cast<std::size_t>((k * 7 + trial) % s.moveCount)];
            SearchNode child;
            if (!PlayInto(n, move, child, s, rules, fs, false) || child.captured != 0) continue;
            // The count after a move reads the move's point and its
            // neighbours only: a white stone that takes a group into the
            // target changes the liberties further out, and the search then
            // keeps the nearer count.
            SearchNode marks = n;
            marks.setTarget(move, child.isTarget(move));
            if (marks.target != child.target) continue;
            int childEyes = eyes, childLiberties = liberties;
            EyeLikePointsAfter(n, child, move, s, childEyes, childLiberties);
            ASSERT_EQ(std::make_pair(childEyes, childLiberties), modelEyes(child, s)) << where << "move " << move;
            ASSERT_EQ(WhiteUnconditionallyAlive(child, s, fs), modelBenson(child, s)) << where << "move " << move;
            ++afterMoves;
            break;
        }
    }
    EXPECT_GT(alive, 200) << "the positions should hold living chains";
    EXPECT_LT(alive, 15000) << "and dead ones";
    EXPECT_GT(afterMoves, 10000);
}

// White's own stone one empty point from the target reaches like the
// target: after black's hane at 3,2 white's first-line stone at 3,1 is
// apart from the group, and its extension at 2,1 (the corner eye) is
// white's to play, three points from the target; the corner, one point
// further, is not.
TEST(ProverFastPaths, WhiteReachesBesideItsOwnStoneNextToTheTarget) {
    const Board b = test::ComposedBoard(R"(
        .....OX
        ...OOOX
        ..XXXXX)");
    const ProblemSetup s = SetupOf(b, Black);
    ASSERT_TRUE(s.hasTarget && s.hasOpenSide);
    FillScratch fs;
    SearchRules rules;
    SearchNode n = RootNode(b, s, Black), next;
    for (const auto& [x, y] : {std::pair{3, 2}, std::pair{3, 1}, std::pair{1, 3}}) {
        ASSERT_TRUE(PlayInto(n, IndexOf(x, y), next, s, rules, fs, false)) << x << "," << y;
        n = next;
    }
    ASSERT_EQ(n.toMove, White);
    ASSERT_FALSE(n.isTarget(IndexOf(3, 1)));
    const PointMask reach = ReachOf(n, s, fs);
    EXPECT_TRUE(HasPoint(reach, IndexOf(2, 1)));
    EXPECT_FALSE(HasPoint(reach, IndexOf(1, 1)));
}

}  // namespace
