// The move generator: reach on the open side, the order of the moves, the
// pass.
#include "prover/move_generator.h"

namespace keldra::prover {

namespace {

// The liberties of the black groups that may be captured and have at most
// two liberties: where either side fights for a wall group in danger.
PointMask shortLiberties(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    PointMask libs{}, seen{};
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(i)] != Black || setup.safe[static_cast<std::size_t>(i)] || HasPoint(seen, i)) continue;
            const GroupInfo g = GroupOf(n.cell, i, setup.safe, setup.ring, fs);
            for (int k = 0; k < g.size; ++k) {
                const int p = fs.group[static_cast<std::size_t>(k)];
                AddPoint(seen, p);
                if (g.liberties > 2) continue;
                for (const int d : Offsets) {
                    const int q = p + d;
                    if (n.cell[static_cast<std::size_t>(q)] == Empty) AddPoint(libs, q);
                }
            }
        }
    }
    return libs;
}

}  // namespace

PointMask ReachOf(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    PointMask reach = shortLiberties(n, setup, fs);
    const auto addAround = [&](int p) {
        for (const int d : Offsets) AddPoint(reach, p + d);
    };
    // The area and the line around it: black reaches next to any white
    // stone, surrounding ones included.
    const int x0 = std::max(1, setup.x0 - 1), x1 = std::min(BoardSide, setup.x1 + 1);
    const int y0 = std::max(1, setup.y0 - 1), y1 = std::min(BoardSide, setup.y1 + 1);
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            const int p = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(p)] != White) continue;
            const bool target = n.isTarget(p);
            // White reaches next to the surroundings too: it may save them.
            if (target || n.toMove == Black || setup.surrounding[static_cast<std::size_t>(p)]) addAround(p);
            if (!target) continue;
            for (const int d : Offsets)
                if (n.cell[static_cast<std::size_t>(p + d)] == Empty) addAround(p + d);
        }
    }
    return reach;
}

MoveGenerator::MoveGenerator(const SearchNode& n, const ProblemSetup& setup, const SearchRules& rules, bool atRoot,
                             FillScratch& fs)
    : n_(n), setup_(setup), rules_(rules), fs_(fs), atRoot_(atRoot) {
    if (setup.hasOpenSide) reach_ = ReachOf(n, setup, fs);
}

bool MoveGenerator::allows(int move) const {
    // Black's first move may be anywhere: every one of them is proved.
    if (move != PassMove) return atRoot_ || WithinReach(move, setup_, reach_);
    return (n_.toMove == White && !n_.mustMove) || rules_.unconditional;
}

int MoveGenerator::next(SearchNode& child) {
    while (k_ <= setup_.moveCount) {
        const int move = k_ < setup_.moveCount ? setup_.moves[static_cast<std::size_t>(k_)] : PassMove;
        ++k_;
        if (allows(move) && PlayInto(n_, move, child, setup_, rules_, fs_, atRoot_)) return move;
    }
    return -1;
}

}  // namespace keldra::prover
