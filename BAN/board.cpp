#include "board.h"


namespace keldra {

void InitBoard(Board& board) {
    for (int x = 0; x < GridSide; ++x) {
        for (int y = 0; y < GridSide; ++y) {
            PointRecord& p = board[x][y];
            if (IsPlayable(x, y)) {
                p.Stone = Empty;
                p.LibertyMark = 0;
                p.Liberties = 100;
                p.KoMark = 0;
            } else {
                p.Stone = BorderCode;
            }
        }
    }
}

GameRecord::GameRecord() : StartSnapshot{}, MoveList{}, MoveCount(0), ReplayCursor(ReplayIdle) {
    // Undo or replay before any game has started restores an empty board with
    // its border, never a zero-filled grid.
    InitBoard(StartSnapshot);
}

}  // namespace keldra
