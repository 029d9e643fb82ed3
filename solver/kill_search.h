// The kill search: does one move, played at a given ply, win by force before
// the horizon at ply 12? An exhaustive AND-OR search over an explicit stack
// of fixed frames; no recursion, no allocation.
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

inline constexpr int Horizon = 12;
inline constexpr int SearchFrames = 81;

// The line a recording search found: entries 0..SolutionLast, each (X, Y,
// colour), with the ply each move was searched at. Entry 0 is the root move.
struct SolutionLine {
    std::array<MoveRecord, SearchFrames> entries{};
    std::array<std::uint8_t, SearchFrames> plies{};
    std::uint8_t SolutionLast = 0;
};

// The search state of one thread: the frame stack, the working candidate
// list and the generator's scratch list. Create one per thread and reuse it;
// a search allocates nothing.
class KillSearcher {
public:
    // Returns +1 or -1 from the side that plays (x, y) at `ply` (1 black, 2
    // white; 0 to 12). On return pos holds the position after the root
    // move (or the entry position when it was not played) and LastX/LastY
    // are 0. When `record` is given and the value is +1, the line is written
    // into it; otherwise it is left untouched. A search without `record`
    // keeps the values of the positions it finishes (the line a search
    // records depends on the order it met them in, its value does not).
    // `start`, when given, must be built from pos.board: many searches from
    // one position share it.
    std::int8_t Search(Position& pos, int x, int y, int ply, SolutionLine* record = nullptr,
                       const SearchStart* start = nullptr);

    // Nodes evaluated by every search of this searcher so far.
    std::uint64_t nodes() const { return nodes_; }

    // A search that would evaluate a node once nodes() has reached `total`
    // stops there, takes its moves back and returns 0 (unfinished).
    void LimitNodes(std::uint64_t total) { nodeLimit_ = total; }

    // A search that finds *stop true (it looks every StopCheckNodes nodes)
    // stops the same way. nullptr: never.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

private:
    struct Frame : ListFrame {
        std::uint8_t X;
        std::uint8_t Y;
        std::int8_t best;  // the parent's running best when this node was pushed
    };

    std::array<Frame, SearchFrames> frames_;
    // Nodes below the horizon are at most at depth Horizon - 1 for the
    // callers' plies 1 and 2, and only they expand or play a move.
    LineLists<Horizon + 1> lists_;   // children of the node at each depth
    // The board with the moves of the current line, its undo log, ko
    // points and column masks.
    SearchPosition position_;
    // Whether the mover of depth d has candidates after its move: the same
    // position for every child of that node, where the children's opponent
    // count is taken.
    std::array<bool, SearchFrames> moverHasAfter_;
    // Values of finished positions.
    PositionMemo memo_;
    std::uint64_t nodes_ = 0;
    std::uint64_t nodeLimit_ = UINT64_MAX;
    std::uint64_t checkAt_ = 0;  // the node count of the next limit and stop check
    const std::atomic<bool>* stop_ = nullptr;
};

// One search with a searcher of its own (about 60 KB on the caller's stack).
// `nodes`, when given, is increased by the number of nodes evaluated.
std::int8_t KillSearch(Position& pos, int x, int y, int ply, SolutionLine* record = nullptr,
                       std::uint64_t* nodes = nullptr);

}  // namespace keldra
