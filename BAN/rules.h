// The rules engine: placement, capture, self-capture refusal, ko marks and
// the recording of game moves.
#pragma once

#include "board.h"

namespace keldra {

// The board a placement resolves on, with the last-move point and the
// engine's own scratch. One Position per thread of play; nothing in it is
// shared, so a search may own a Position of its own.
struct Position {
    Board board{};  // zero-filled before InitBoard, as the state is at process start
    std::uint8_t LastX = 0;
    std::uint8_t LastY = 0;
    Board TrialBoard{};              // scratch of ResolveMove
    std::uint8_t GroupColour = 0;    // scratch of CountAndCapture
    std::uint8_t CapturedCount = 0;  // stones taken off by the latest count

    Position() { InitBoard(board); }
    PointRecord& at(int x, int y) { return board[x][y]; }
    const PointRecord& at(int x, int y) const { return board[x][y]; }
};

// Sets GroupMark on every point connected to (X, Y) whose Stone equals GroupColour.
void FillGroup(Position& pos, int x, int y);

// Sets LibertyMark on each empty orthogonal neighbour of (X, Y).
void MarkLiberties(Position& pos, int x, int y);

// Counts the liberties of the group through (X, Y) and takes it off when it
// has none; the stone at (LastX, LastY) alone is taken off for self-capture.
void CountAndCapture(Position& pos, int x, int y);

// Resolves the stone just set at (LastX, LastY): ko refusal, captures,
// self-capture refusal, new ko marks.
void ResolveMove(Position& pos);

// Caller passes a playable point; the point may be occupied. No recording.
void PlaceStone(Position& pos, int x, int y, std::uint8_t code);

// Plays and records a move of the game. Points outside 1..13 and points that
// are not empty are ignored. When the list already holds 50 records, the
// oldest record is folded into StartSnapshot so the new move still gets
// recorded and the record keeps rebuilding the board.
void PlayMove(Position& pos, GameRecord& rec, int x, int y, std::uint8_t code);

// Ends any stepping through the record before a new move is placed. A replay
// tick leaves MoveCount one behind the records on the board; the next record
// must go after all of those, so MoveCount catches up with the cursor.
void EndStepping(GameRecord& rec);

// Appends a move that stands to the record (the recording step shared by
// PlayMove and input-mode stone entry), folding the oldest record into the
// snapshot when the list is full.
void RecordMove(GameRecord& rec, std::uint8_t x, std::uint8_t y, std::uint8_t colour);

}  // namespace keldra
