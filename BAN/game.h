// The game: the position on the board and the record of the moves that
// led to it. The window's logic owns one; a test creates a fresh one.
#pragma once

#include "BAN/board.h"
#include "BAN/rules.h"

namespace keldra {

struct Game {
    Position pos;    // Board, LastX/LastY
    GameRecord rec;  // StartSnapshot, MoveList, MoveCount, ReplayCursor
};

}  // namespace keldra
