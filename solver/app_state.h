// The one process-wide state of the program, as a plain struct: the position,
// the game record, the solver's results and flags, the window's mode and board
// geometry. The program owns one; a test creates a fresh one.
#pragma once

#include <cstdint>

#include "BAN/board.h"
#include "BAN/rules.h"
#include "solver/candidates.h"
#include "solver/kill_search.h"

namespace keldra {

struct AppState {
    Position pos;            // Board, LastX/LastY
    GameRecord rec;          // StartSnapshot, MoveList, MoveCount, ReplayCursor
    Board HintBoard{};       // the position a hint search started from
    CandidateList candidates;  // the list the handlers generate into
    SolutionLine solution;   // the recorded winning line (SolutionLine, SolutionLast)

    std::uint8_t HintX = 0;
    std::uint8_t HintY = 0;
    std::int64_t HintScore = 0;  // a kill-search value or a line count
    std::uint8_t AutoSolveFlag = 0;
    std::uint8_t RecordFlag = 0;

    std::uint8_t GameMode = 0;  // 0 input mode, 1 game mode
    std::uint8_t CellSize = 38;
    int BitmapSize = 550;
};

}  // namespace keldra
