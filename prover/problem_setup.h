// The problem as the stones alone define it: the target, the play area with
// its ring, the region where moves are searched, and the safe wall. Built
// once from a Board, read-only during search and shared by every thread.
#pragma once

#include <array>
#include <cstdint>

#include "BAN/board.h"
#include "prover/grid.h"
#include "prover/problem_frame.h"

namespace keldra::prover {

inline constexpr int AreaMargin = 1;
// Black's rectangle closes on the board's edge when it stops this many
// lines short of it or fewer.
inline constexpr int EdgeReach = 3;

struct ProblemSetup {
    bool hasTarget = false;
    bool hasOpenSide = false;  // some region point leads to the ring
    // With a frame: a target group already stands on the ring or holds a
    // stone that was safe at the start. White has escaped.
    bool escaped = false;
    int x0 = 1, x1 = BoardSide, y0 = 1, y1 = BoardSide;  // the play area
    PointFlags safe{};           // a stone here is never captured
    PointFlags movable{};        // moves are searched here
    PointFlags captureOnly{};    // white moves here only to capture: black fills outside liberties here
    PointFlags ring{};           // a white stone here has escaped
    PointFlags rootBan{};        // barred to the side to move at the root
    PointFlags enclosed{};       // region points the ring cannot be reached from
    PointFlags openSide{};       // region points the ring can be reached from
    PointFlags initialTarget{};
    // Stones of the white groups in black's reach other than the target:
    // black may capture them, their escape ends nothing, and the target
    // that joins them takes them in.
    PointFlags surrounding{};
    int targetPoint = 0;          // the target's first stone, X then Y order
    std::array<std::uint8_t, GridSide * GridSide> moves{};  // the movable points, X outer, Y inner
    int moveCount = 0;
    // A dead eye space ends the game for black (eye_space.h); tests turn it
    // off to check the recognition against the search.
    bool deadEyeSpaces = true;

    bool inArea(int i) const {
        const int x = i / GridSide, y = i % GridSide;
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    }
};

// Builds the set-up from a board, whose Stone codes 1 and 2 are stones and
// everything else is empty. `toMove` is the colour whose KoMark bans count.
// `named`, a grid index holding a white stone, makes that stone's group the
// target; any other value leaves the choice to the default rule. `widen`
// more lines widen the area beyond AreaMargin. A `frame` that is set
// replaces the target rule and the area: its area (widened by `widen`), and
// each white group the role of its start stones (prover/README.md); `named`
// is not read then.
ProblemSetup SetupOf(const Board& board, std::uint8_t toMove, int named = 0, int widen = 0,
                     const ProblemFrame* frame = nullptr);

// The frame a set-up of `board` makes: its area and the role of every white
// stone. Unset when the set-up has no target.
ProblemFrame FrameOfSetup(const ProblemSetup& setup, const Board& board);

}  // namespace keldra::prover
