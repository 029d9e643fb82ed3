// The move generator: reach on the open side, the order of the moves, the
// pass.
#include "prover/move_generator.h"

namespace keldra::prover {

namespace {

// A lone black stone at i that touches a target: its liberties on the first
// line.
void addFirstLineLiberties(const SearchNode& n, int i, PointMask& libs) {
    bool touchesTarget = false;
    for (const int d : Offsets) touchesTarget |= n.cell[static_cast<std::size_t>(i + d)] == White && n.isTarget(i + d);
    if (!touchesTarget) return;
    for (const int d : Offsets) {
        const int q = i + d, x = PointX(q), y = PointY(q);
        if (n.cell[static_cast<std::size_t>(q)] == Empty && (x == 1 || y == 1 || x == BoardSide || y == BoardSide))
            AddPoint(libs, q);
    }
}

// The liberties of the black groups that may be captured and have at most
// two liberties: where either side fights for a wall group in danger; with
// white to move, the first-line liberties of a lone black stone touching a
// target too: white's atari there from behind a placement makes its eye on
// the edge. Every black group with a stone of the area outside the safe
// wall is filled once, on the whole board; one stamp marks the stones of
// every group filled, and each group's liberties get a stamp of their own.
PointMask shortLiberties(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    PointMask libs{};
    const int areaPoints = (setup.x1 - setup.x0 + 1) * (setup.y1 - setup.y0 + 1);
    const std::uint32_t seen = ReserveStamps(fs, static_cast<std::uint32_t>(areaPoints) + 1);
    std::uint32_t libertyStamp = seen;
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            const auto ii = static_cast<std::size_t>(i);
            if (n.cell[ii] != Black || setup.safe[ii] || fs.stamp[ii] == seen) continue;
            ++libertyStamp;
            int liberties = 0, first = 0, second = 0, stones = 0;
            int top = 0;
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
            fs.stamp[ii] = seen;
            while (top > 0) {
                const int p = fs.stack[static_cast<std::size_t>(--top)];
                ++stones;
                for (const int d : Offsets) {
                    const int q = p + d;
                    const auto qi = static_cast<std::size_t>(q);
                    const std::uint8_t c = n.cell[qi];
                    if (c == Black) {
                        if (fs.stamp[qi] != seen) {
                            fs.stamp[qi] = seen;
                            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                        }
                    } else if (c == Empty && fs.stamp[qi] != libertyStamp) {
                        fs.stamp[qi] = libertyStamp;
                        if (liberties == 0) first = q;
                        if (liberties == 1) second = q;
                        ++liberties;
                    }
                }
            }
            if (liberties >= 1 && liberties <= 2) AddPoint(libs, first);
            if (liberties == 2) AddPoint(libs, second);
            if (stones == 1 && n.toMove == White) addFirstLineLiberties(n, i, libs);
        }
    }
    return libs;
}

}  // namespace

PointMask ReachOf(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    PointMask reach = shortLiberties(n, setup, fs);
    // The area and the line around it: black reaches next to any white
    // stone, surrounding ones included; white next to the targets and the
    // surroundings (it may save them). Both reach next to a target's empty
    // neighbours. White also reaches next to a stone of its own that stands
    // one empty point from a target stone (a diagonal, a jump): its eye or
    // its capture grows from that stone before the two join.
    PointMask around{}, targetLiberties{}, own{};
    const int x0 = std::max(1, setup.x0 - 1), x1 = std::min(BoardSide, setup.x1 + 1);
    const int y0 = std::max(1, setup.y0 - 1), y1 = std::min(BoardSide, setup.y1 + 1);
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            const int p = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(p)] != White) continue;
            const bool target = n.isTarget(p);
            if (target || n.toMove == Black || setup.surrounding[static_cast<std::size_t>(p)])
                AddPoint(around, p);
            else if (!setup.safe[static_cast<std::size_t>(p)])
                AddPoint(own, p);
            if (!target) continue;
            for (const int d : Offsets)
                if (n.cell[static_cast<std::size_t>(p + d)] == Empty) AddPoint(targetLiberties, p + d);
        }
    }
    // White's own stones one empty point from a target stone.
    AddCommonPoints(around, own, NeighboursOf(targetLiberties));
    AddPoints(around, targetLiberties);
    AddPoints(reach, NeighboursOf(around));
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
        // PlayInto refuses an occupied point too; the test here saves the call.
        if (move != PassMove && n_.cell[static_cast<std::size_t>(move)] != Empty) continue;
        if (allows(move) && PlayInto(n_, move, child, setup_, rules_, fs_, atRoot_)) return move;
    }
    return -1;
}

}  // namespace keldra::prover
