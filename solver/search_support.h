// Small pieces shared by the searches: stone counts, the colour of a ply,
// the start many searches share, and the frame part that both searches keep
// of a node.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "BAN/board.h"
#include "BAN/rules.h"
#include "solver/candidates.h"
#include "solver/stone_columns.h"

namespace keldra {

// Number of playable points whose Stone equals `code`.
inline int CountStones(const Board& board, std::uint8_t code) {
    int n = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) n += board[x][y].Stone == code;
    }
    return n;
}

// A search looks at its stop flag once every this many nodes: a few
// milliseconds of searching at most.
inline constexpr std::uint64_t StopCheckNodes = 4096;

// Odd plies are black's moves, even plies white's.
inline std::uint8_t ColourOfPly(int ply) { return (ply % 2 != 0) ? Black : White; }

// Stones of colour 1 or 2 on the board that `columns` mirrors.
inline int StonesOf(const StoneColumns& columns, std::uint8_t colour) {
    return colour == Black ? columns.blacks : columns.whites;
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

// Where the undo log stood and the ko points were before a move: what
// takes the move (and every move after it) back.
struct MoveUndo {
    int logMark;
    KoPoints ko;
};

// What a frame of either search keeps of the node it belongs to: its number
// in the parent's list, the size of that list, its ply, and the mark taken
// before its move, so that popping the frame takes the move back.
// The parent's list itself stays in the searcher's list of the parent's depth.
struct ListFrame {
    std::uint8_t position;
    std::uint8_t size;
    std::uint8_t ply;
    MoveUndo undo;
};

// The candidate lists of the nodes on the current line, one per depth: the
// list of depth d holds the children of the node at depth d while they are
// searched.
template <int Depths>
using LineLists = std::array<CandidateList, Depths>;

}  // namespace keldra
