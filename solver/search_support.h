// Small pieces shared by the two searches: stone counts, the colour of a
// ply, and the frame part that both searches keep of a node.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "BAN/board.h"
#include "BAN/rules.h"
#include "solver/candidates.h"

namespace keldra {

// Number of playable points whose Stone equals `code`.
inline int CountStones(const Board& board, std::uint8_t code) {
    int n = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) n += board[x][y].Stone == code;
    }
    return n;
}

// Odd plies are black's moves, even plies white's.
inline std::uint8_t ColourOfPly(int ply) { return (ply % 2 != 0) ? Black : White; }

// Stones of colour 1 or 2 on the board that `columns` mirrors.
inline int StonesOf(const StoneColumns& columns, std::uint8_t colour) {
    return colour == Black ? columns.blacks : columns.whites;
}

// PlaceStone with its changes saved in `log` and mirrored in `columns`.
inline void PlayLogged(Position& pos, int x, int y, std::uint8_t colour, UndoLog& log, KoPoints& ko,
                       StoneColumns& columns) {
    const int from = log.size;
    PlaceStone(pos, x, y, colour, log, ko);
    const PointRecord* p = Cells(pos.board);
    for (int i = from; i < log.size; ++i) {
        const UndoLog::Entry& e = log.entries[static_cast<std::size_t>(i)];
        const PointRecord& now = p[e.index];
        if (now.Stone != e.before.Stone) columns.Change(e.index, e.before.Stone, now.Stone);
        if (now.KoMark != e.before.KoMark) columns.UpdateKo(pos.board, e.index);
    }
}

// Takes back every move logged since `mark`, in `columns` too.
inline void TakeBack(Position& pos, UndoLog& log, int mark, StoneColumns& columns) {
    PointRecord* p = Cells(pos.board);
    while (log.size > mark) {
        const UndoLog::Entry& e = log.entries[static_cast<std::size_t>(--log.size)];
        const PointRecord now = p[e.index];
        p[e.index] = e.before;
        if (now.Stone != e.before.Stone) columns.Change(e.index, now.Stone, e.before.Stone);
        if (now.KoMark != e.before.KoMark) columns.UpdateKo(pos.board, e.index);
    }
}

// What every search from one position may share: the masks of its board and
// where its ko marks are. Build it once for many searches from that board.
struct SearchStart {
    StoneColumns columns;
    KoPoints ko;
    std::uint64_t id = 0;  // different for every Build in the process

    void Build(const Board& board) {
        static std::atomic<std::uint64_t> builds{0};
        columns.Build(board);
        ko = KoPointsOf(board);
        id = ++builds;
    }
};

// The masks and root ko points a search starts from: a copy of the shared
// start when there is one, else built from the board (ko points unknown).
inline void BeginSearch(const Board& board, const SearchStart* start, StoneColumns& columns, KoPoints& rootKo) {
    if (start != nullptr) {
        columns = start->columns;
        rootKo = start->ko;
    } else {
        columns.Build(board);
        rootKo = KoPoints{};
    }
}

// Ends a search that reached its node limit: every move taken back, no
// last move.
inline void AbandonSearch(Position& pos, UndoLog& log, StoneColumns& columns) {
    TakeBack(pos, log, 0, columns);
    pos.LastX = 0;
    pos.LastY = 0;
}

// What a frame of either search keeps of the node it belongs to: its number
// in the parent's list, the size of that list, its ply, and where the undo
// log stood before its move, so that popping the frame takes the move back.
// The parent's list itself stays in the searcher's list of the parent's depth.
struct ListFrame {
    std::uint8_t position;
    std::uint8_t size;
    std::uint8_t ply;
    int logMark;
};

// The candidate lists of the nodes on the current line, one per depth: the
// list of depth d holds the children of the node at depth d while they are
// searched.
template <int Depths>
using LineLists = std::array<CandidateList, Depths>;

}  // namespace keldra
