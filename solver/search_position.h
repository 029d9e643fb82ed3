// A position as a search walks it: the board, the undo log of the moves on
// the current line, where the ko marks are, and the column masks. Playing
// and taking back a move keep all four in step in one place.
#pragma once

#include <array>
#include <cstdint>

#include "BAN/rules.h"
#include "solver/search_support.h"
#include "solver/stone_columns.h"

namespace keldra {

// The exact identity of a position for the memo of finished positions: the
// black and white stones, the ko points with their KoColour, and the ply.
struct PositionKey {
    std::array<std::uint64_t, 8> words;  // stone masks of the columns; ply and ko points
    friend bool operator==(const PositionKey&, const PositionKey&) = default;
};

class SearchPosition {
public:
    // Starts on the caller's `pos`, which the moves then change in place;
    // nothing is logged. The masks and ko points come from `start` when
    // given (it must be built from pos.board), else from the board with the
    // ko points unknown.
    void begin(Position& pos, const SearchStart* start);

    StoneColumns& columns() { return columns_; }
    const StoneColumns& columns() const { return columns_; }

    // What takes back the next move and every move after it.
    MoveUndo mark() const { return MoveUndo{log_.size, ko_}; }

    // Places `colour` at (x, y) by the rules (the point must be playable),
    // logging every record it changes and updating the ko points and masks.
    void play(int x, int y, std::uint8_t colour);

    // Takes back every move played since `mark` was taken.
    void undo(const MoveUndo& mark);

    // Takes back every move of the search; no last move.
    void undoAll();

    // The memo key of the position with `ply` to be searched next; false
    // when it has more ko points than a key holds.
    bool key(int ply, PositionKey& key) const;

private:
    Position* pos_ = nullptr;
    UndoLog log_;
    KoPoints ko_;      // after the latest move
    KoPoints rootKo_;  // at the start
    StoneColumns columns_;
};

// Inline: the searches call these at every node.

inline void SearchPosition::play(int x, int y, std::uint8_t colour) {
    const int from = log_.size;
    PlaceStone(*pos_, x, y, colour, log_, ko_);
    const PointRecord* p = Cells(pos_->board);
    for (int i = from; i < log_.size; ++i) {
        const UndoLog::Entry& e = log_.entries[static_cast<std::size_t>(i)];
        const PointRecord& now = p[e.index];
        if (now.Stone != e.before.Stone) columns_.Change(e.index, e.before.Stone, now.Stone);
        if (now.KoMark != e.before.KoMark) columns_.UpdateKo(pos_->board, e.index);
    }
}

inline void SearchPosition::undo(const MoveUndo& mark) {
    PointRecord* p = Cells(pos_->board);
    while (log_.size > mark.logMark) {
        const UndoLog::Entry& e = log_.entries[static_cast<std::size_t>(--log_.size)];
        const PointRecord now = p[e.index];
        p[e.index] = e.before;
        if (now.Stone != e.before.Stone) columns_.Change(e.index, now.Stone, e.before.Stone);
        if (now.KoMark != e.before.KoMark) columns_.UpdateKo(pos_->board, e.index);
    }
    ko_ = mark.ko;
}

inline void SearchPosition::undoAll() {
    undo(MoveUndo{0, rootKo_});
    pos_->LastX = 0;
    pos_->LastY = 0;
}

}  // namespace keldra
