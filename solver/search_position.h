// A position as a search walks it: the board, the undo log of the moves on
// the current line, where the ko marks are, and the column masks. Playing
// and taking back a move keep all four in step in one place.
#pragma once

#include <array>
#include <bit>
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

// Inline: the searches call these at every node, the memo at many.

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

inline bool SearchPosition::key(int ply, PositionKey& key) const {
    const StoneColumns& c = columns_;
    // two columns of black and white masks to a word
    for (int k = 0; k < 7; ++k) {
        const auto x = static_cast<std::size_t>(2 * k + 1);
        const std::uint64_t first = c.black[x] | (std::uint64_t{c.white[x]} << 16);
        const std::uint64_t second = (x + 1 <= BoardSide) ? c.black[x + 1] | (std::uint64_t{c.white[x + 1]} << 16) : 0;
        key.words[static_cast<std::size_t>(k)] = first | (second << 32);
    }
    // the ply, then up to three ko points as (grid index, KoColour)
    std::uint64_t last = static_cast<std::uint64_t>(ply) & 0xFF;
    int shift = 8;
    for (int x = 1; x <= BoardSide; ++x) {
        for (unsigned m = c.koMarks[static_cast<std::size_t>(x)]; m != 0; m &= m - 1) {
            if (shift + 16 > 64) return false;
            const int y = std::countr_zero(m);
            const std::uint64_t point =
                static_cast<std::uint64_t>(IndexOf(x, y)) | (std::uint64_t{pos_->board[x][y].KoColour} << 8);
            last |= point << shift;
            shift += 16;
        }
    }
    key.words[7] = last;
    return true;
}

}  // namespace keldra
