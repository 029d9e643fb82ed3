// The problem as it was set up where a game began: the play area and the
// part each white stone of that position plays. Later positions of the game
// keep it, so a proof after some moves answers the question the first one
// did (prover/README.md).
#pragma once

#include <array>
#include <cstdint>

#include "BAN/board.h"

namespace keldra::prover {

// What a white stone of the start position is to the problem.
enum class StoneRole : std::uint8_t { None, Target, Surrounding, Safe };

struct ProblemFrame {
    bool set = false;  // false: every position is set up from its stones alone
    // The play area, its margin included, as the start's set-up made it.
    int x0 = 1, x1 = BoardSide, y0 = 1, y1 = BoardSide;
    // By grid index (IndexOf); None where the start had no white stone.
    std::array<StoneRole, GridPoints> role{};

    StoneRole roleAt(int x, int y) const { return role[static_cast<std::size_t>(IndexOf(x, y))]; }
    friend bool operator==(const ProblemFrame&, const ProblemFrame&) = default;
};

}  // namespace keldra::prover
