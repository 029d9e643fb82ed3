// The rules engine: placement, capture, self-capture refusal, ko marks and
// the recording of game moves.
#pragma once

#include <array>

#include "board.h"

namespace keldra {

// The board a placement resolves on, with the last-move point and the
// engine's own scratch. One Position per thread of play; nothing in it is
// shared, so a search may own a Position of its own.
struct Position {
    Board board{};  // zero-filled before InitBoard, as the state is at process start
    std::uint8_t LastX = 0;
    std::uint8_t LastY = 0;
    std::uint8_t GroupColour = 0;    // scratch of CountAndCapture
    std::uint8_t CapturedCount = 0;  // stones taken off by the latest count

    Position() { InitBoard(board); }
    PointRecord& at(int x, int y) { return board[x][y]; }
    const PointRecord& at(int x, int y) const { return board[x][y]; }
};

// Sets GroupMark on every point connected to (X, Y) whose Stone equals GroupColour.
void FillGroup(Position& pos, int x, int y);

// Counts the liberties of the group through (X, Y) and takes it off when it
// has none; the stone at (LastX, LastY) alone is taken off for self-capture.
void CountAndCapture(Position& pos, int x, int y);

// Resolves the stone just set at (LastX, LastY): ko refusal, captures,
// self-capture refusal, new ko marks.
void ResolveMove(Position& pos);

// Caller passes a playable point; the point may be occupied. No recording.
void PlaceStone(Position& pos, int x, int y, std::uint8_t code);

// The point records a placement changed, each saved before its first change
// by that write, so that writing them back in reverse order takes the
// placement back exactly. The searches keep one log for their whole line.
struct UndoLog {
    struct Entry {
        std::uint8_t index;  // x * GridSide + y
        PointRecord before;
    };
    // One placement saves at most 342 records (the placed point, 168
    // captured stones, 169 cleared ko marks, 4 new ko points); the searches
    // keep at most 13 placements open.
    static constexpr int PerPlacement = 342;
    static constexpr int Capacity = 16 * PerPlacement;

    std::array<Entry, Capacity> entries;
    int size = 0;

    void Save(const Board& board, int index) {
        entries[static_cast<std::size_t>(size++)] = Entry{static_cast<std::uint8_t>(index), Cells(board)[index]};
    }
    // Writes back every record saved since the log held `mark` entries.
    void UndoTo(Board& board, int mark) {
        while (size > mark) {
            const Entry& e = entries[static_cast<std::size_t>(--size)];
            Cells(board)[e.index] = e.before;
        }
    }
};

// Where ko marks may be, as a search follows it from move to move. When
// `known`, no playable point outside `index` has a KoMark other than 0.
struct KoPoints {
    bool known = false;
    std::uint8_t count = 0;
    std::array<std::uint8_t, 4> index{};  // grid indices, x * GridSide + y
};

// The ko marks of a board as a search starts from it: known when at most
// four playable points have a KoMark other than 0.
KoPoints KoPointsOf(const Board& board);

// PlaceStone that saves every record it changes into `log` first. Border
// records that a move writes (a KoColour beside a border KoMark) are not
// saved, as a restore of the playable points would not bring them back.
// With `ko` known only those points are cleared when the move stands;
// afterwards `ko` holds the move's new ko points (unchanged when refused).
void PlaceStone(Position& pos, int x, int y, std::uint8_t code, UndoLog& log, KoPoints& ko);

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
