#include "rules.h"

namespace keldra {

namespace {

std::int8_t asSigned(std::uint8_t v) { return static_cast<std::int8_t>(v); }

void clearCountMarks(Board& b) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            b[x][y].LibertyMark = 0;
            b[x][y].GroupMark = 0;
        }
    }
}

int countMarked(const Board& b, std::uint8_t PointRecord::*field) {
    int n = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].*field == 1) ++n;
        }
    }
    return n;
}

}  // namespace

void FillGroup(Position& pos, int x, int y) {
    pos.board[x][y].GroupMark = 1;
    // right, left, below, above; the border (255 read as -1) never matches
    static constexpr int dx[4] = {1, -1, 0, 0};
    static constexpr int dy[4] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
        const PointRecord& n = pos.board[x + dx[k]][y + dy[k]];
        if (n.GroupMark == 0 && asSigned(n.Stone) == static_cast<int>(pos.GroupColour)) {
            FillGroup(pos, x + dx[k], y + dy[k]);
        }
    }
}

void MarkLiberties(Position& pos, int x, int y) {
    Board& b = pos.board;
    if (b[x - 1][y].Stone == Empty) b[x - 1][y].LibertyMark = 1;
    if (b[x + 1][y].Stone == Empty) b[x + 1][y].LibertyMark = 1;
    if (b[x][y - 1].Stone == Empty) b[x][y - 1].LibertyMark = 1;
    if (b[x][y + 1].Stone == Empty) b[x][y + 1].LibertyMark = 1;
}

void CountAndCapture(Position& pos, int x, int y) {
    Board& b = pos.board;
    clearCountMarks(b);
    pos.GroupColour = b[x][y].Stone;
    pos.CapturedCount = 0;
    const bool isLast = (x == pos.LastX && y == pos.LastY);
    // Apart from the mover's own group, only groups of the mover's opponent are examined.
    if (!isLast && b[pos.LastX][pos.LastY].Stone != OpponentOf(pos.GroupColour)) return;

    FillGroup(pos, x, y);
    for (int px = 1; px <= BoardSide; ++px) {
        for (int py = 1; py <= BoardSide; ++py) {
            if (b[px][py].GroupMark == 1) MarkLiberties(pos, px, py);
        }
    }
    b[x][y].Liberties = static_cast<std::uint8_t>(countMarked(b, &PointRecord::LibertyMark));

    if (isLast && b[x][y].Liberties == 0) {
        // self-capture: only the stone just placed comes off
        pos.CapturedCount = static_cast<std::uint8_t>(countMarked(b, &PointRecord::GroupMark));
        b[x][y].RemovedSize = pos.CapturedCount;
        b[x][y].Stone = Empty;
        return;
    }
    if (b[x][y].Liberties == 0) {
        pos.CapturedCount = static_cast<std::uint8_t>(countMarked(b, &PointRecord::GroupMark));
        for (int px = 1; px <= BoardSide; ++px) {
            for (int py = 1; py <= BoardSide; ++py) {
                if (b[px][py].GroupMark == 1) {
                    b[px][py].Stone = Empty;
                    b[px][py].RemovedSize = pos.CapturedCount;
                }
            }
        }
    }
}

void ResolveMove(Position& pos) {
    const int lx = pos.LastX;
    const int ly = pos.LastY;
    Board& b = pos.board;

    // An immediate ko recapture is refused; all ko marks stay.
    if (b[lx][ly].KoMark == 1 && b[lx][ly].Stone == b[lx][ly].KoColour) {
        b[lx][ly].Stone = Empty;
        return;
    }

    // left, right, above, below
    const int nx[4] = {lx - 1, lx + 1, lx, lx};
    const int ny[4] = {ly, ly, ly - 1, ly + 1};
    bool single[4] = {false, false, false, false};
    for (int k = 0; k < 4; ++k) {
        CountAndCapture(pos, nx[k], ny[k]);
        single[k] = (pos.CapturedCount == 1);
    }

    // Captures came first, so a capturing stone always has a liberty here.
    CountAndCapture(pos, lx, ly);
    if (!HoldsStone(b[lx][ly].Stone)) return;  // self-capture refused

    // The move stands: the previous ban ends.
    pos.TrialBoard = b;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) pos.TrialBoard[x][y].KoMark = 0;
    }

    // Ko test: would the opponent on a single-capture point take back exactly
    // the one stone just placed?
    for (int k = 0; k < 4; ++k) {
        if (!single[k]) continue;
        b = pos.TrialBoard;
        const std::uint8_t mover = b[lx][ly].Stone;
        if (mover == Black) {
            b[nx[k]][ny[k]].Stone = White;
        } else if (mover == White) {
            b[nx[k]][ny[k]].Stone = Black;
        }
        CountAndCapture(pos, lx, ly);
        if (b[lx][ly].Stone == Empty && b[lx][ly].RemovedSize == 1) {
            pos.TrialBoard[nx[k]][ny[k]].KoMark = 1;
        }
    }

    b = pos.TrialBoard;
    for (int k = 0; k < 4; ++k) {
        if (b[nx[k]][ny[k]].KoMark == 1) b[nx[k]][ny[k]].KoColour = OpponentOf(b[lx][ly].Stone);
    }
}

void PlaceStone(Position& pos, int x, int y, std::uint8_t code) {
    pos.board[x][y].Stone = code;
    pos.LastX = static_cast<std::uint8_t>(x);
    pos.LastY = static_cast<std::uint8_t>(y);
    ResolveMove(pos);
}

void RecordMove(GameRecord& rec, std::uint8_t x, std::uint8_t y, std::uint8_t colour) {
    if (rec.MoveCount >= MaxMoves) {
        // Keep the last 50 moves: the oldest becomes part of the start position.
        Position fold;
        fold.board = rec.StartSnapshot;
        const MoveRecord first = rec.record(1);
        PlaceStone(fold, first.X, first.Y, first.colour);
        rec.StartSnapshot = fold.board;
        for (int k = 1; k < MaxMoves; ++k) rec.record(k) = rec.record(k + 1);
        rec.MoveCount = MaxMoves - 1;
    }
    rec.MoveCount = static_cast<std::uint8_t>(rec.MoveCount + 1);
    rec.record(rec.MoveCount) = MoveRecord{x, y, colour};
}

void EndStepping(GameRecord& rec) {
    if (rec.ReplayCursor != ReplayIdle && rec.ReplayCursor > rec.MoveCount) rec.MoveCount = rec.ReplayCursor;
    rec.ReplayCursor = ReplayIdle;
}

void PlayMove(Position& pos, GameRecord& rec, int x, int y, std::uint8_t code) {
    if (!IsPlayable(x, y)) return;
    if (pos.board[x][y].Stone != Empty) return;  // never overwrite a stone
    EndStepping(rec);
    if (rec.MoveCount == 0) rec.StartSnapshot = pos.board;
    PlaceStone(pos, x, y, code);
    const std::uint8_t now = pos.board[x][y].Stone;
    if (HoldsStone(now)) RecordMove(rec, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), now);
}

}  // namespace keldra
