// The moves the searches try at a node, in one order: the movable points, X
// outer and Y inner, then the pass. A move on the open side must lie within
// the side to move's reach, except black's first move; the pass is white's,
// and black's too in the seki test.
#pragma once

#include "prover/position.h"

namespace keldra::prover {

// The points of the open side within n.toMove's reach: next to a target
// stone (black: next to any white stone; white: next to a surrounding stone
// of the set-up, or to its own stone one empty point from a target stone),
// next to a target's liberty, or a
// liberty of a black group that may be captured and has at most two (where
// either side fights for a wall group in danger). A move further out only
// waits, and the other side may answer a wait with a pass (black never needs
// to pass: white passes and keeps its stones).
PointMask ReachOf(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

// True unless `move` lies on the open side out of `reach` (ReachOf the
// position): the side to move does not play there.
inline bool WithinReach(int move, const ProblemSetup& setup, const PointMask& reach) {
    return move == PassMove || !setup.openSide[static_cast<std::size_t>(move)] || HasPoint(reach, move);
}

// Walks the children of one node. The node, the set-up and the scratch must
// outlive the generator.
class MoveGenerator {
public:
    MoveGenerator(const SearchNode& n, const ProblemSetup& setup, const SearchRules& rules, bool atRoot,
                  FillScratch& fs);

    // Plays the next allowed, legal move into `child` and returns it; -1
    // when no move is left.
    int next(SearchNode& child);
    // Whether the rules let the side to move play `move` here (legal or not).
    bool allows(int move) const;
    // Starts again from the first move.
    void restart() { k_ = 0; }

private:
    const SearchNode& n_;
    const ProblemSetup& setup_;
    const SearchRules& rules_;
    FillScratch& fs_;
    bool atRoot_;
    PointMask reach_{};
    int k_ = 0;
};

}  // namespace keldra::prover
