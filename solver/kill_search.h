// The kill search: does one move, played at a given ply, win by force before
// the horizon at ply 12? An exhaustive AND-OR search over an explicit stack
// of fixed frames; no recursion, no allocation.
#pragma once

#include <array>
#include <cstdint>

#include "BAN/rules.h"
#include "solver/candidates.h"

namespace keldra {

inline constexpr int Horizon = 12;

// The line a recording search found: entries 0..SolutionLast, each (X, Y, colour).
struct SolutionLine {
    std::array<MoveRecord, 81> entries{};
    std::uint8_t SolutionLast = 0;
};

// Search state of one thread: the frame stack and working lists. Create one
// per thread; it is reused across searches and allocates nothing.
class KillSearcher;

// Returns +1 or -1 from the mover's side. On return pos holds the position
// after the root move (or the entry position when it was not played) and
// LastX/LastY are 0. When `record` is true and the value is +1, `line` gets
// the recorded line (the memo lines are made from it by MemoLines()).
// `nodes`, when given, is increased by the number of nodes evaluated.
std::int8_t KillSearch(Position& pos, int x, int y, int ply, bool record, SolutionLine* line,
                       std::uint64_t* nodes = nullptr);

}  // namespace keldra
