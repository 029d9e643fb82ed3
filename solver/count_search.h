// The counting search: scores a white reply by the number of lines, up to
// white's third move, after which black has no stone left or no candidate.
// A full-width enumeration over an explicit stack of fixed frames.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "BAN/rules.h"
#include "solver/candidates.h"
#include "solver/position_memo.h"
#include "solver/search_position.h"
#include "solver/search_support.h"

namespace keldra {

// Moves at this ply or later are not played.
inline constexpr int CountHorizon = 7;
inline constexpr int CountFrames = 81;

// The search state of one thread; reuse it, a search allocates nothing.
class CountSearcher {
public:
    // Plays (x, y) at `ply` (the callers pass 2, a white move; 0 or more) and returns the
    // number of lines counted below it. On return pos holds the position
    // after the root move and LastX/LastY are 0. `start`, when given, must
    // be built from pos.board.
    std::int64_t Search(Position& pos, int x, int y, int ply, const SearchStart* start = nullptr);

    // Nodes evaluated by every search of this searcher so far.
    std::uint64_t nodes() const { return nodes_; }

    // A search that would evaluate a node once nodes() has reached `total`
    // stops there, takes its moves back and returns -1 (unfinished).
    void LimitNodes(std::uint64_t total) { nodeLimit_ = total; }

    // A search that finds *stop true (it looks every few thousand nodes)
    // stops the same way. nullptr: never.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

private:
    // Line counts of positions already counted (moves from ply 3 on), and
    // the count when the node of each depth was entered.
    PositionMemo memo_;
    std::array<std::int64_t, CountHorizon> countBefore_;

    // The colour that plays a frame's node follows from its ply.
    std::array<ListFrame, CountFrames> frames_;
    // Moves are played below CountHorizon only, so depths stay below it.
    LineLists<CountHorizon> lists_;  // children of the node at each depth
    // The board with the moves of the current line, its undo log, ko
    // points and column masks.
    SearchPosition position_;
    std::uint64_t nodes_ = 0;
    std::uint64_t nodeLimit_ = UINT64_MAX;
    std::uint64_t checkAt_ = 0;  // the node count of the next limit and stop check
    const std::atomic<bool>* stop_ = nullptr;
};

// One counting search with a searcher of its own; returns the line count.
std::int64_t CountSearch(Position& pos, int x, int y, int ply, std::uint64_t* nodes = nullptr);

}  // namespace keldra
