// Small pieces shared by the candidate generator and the two searches: the
// saved copy of the 169 playable points, stone counts and the colour of a ply.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "BAN/board.h"
#include "solver/candidates.h"

namespace keldra {

// The 169 playable points with all seven fields, column by column.
using PlayablePoints = std::array<std::array<PointRecord, BoardSide>, BoardSide>;

inline void SavePlayable(const Board& board, PlayablePoints& saved) {
    for (int x = 1; x <= BoardSide; ++x) {
        std::copy_n(&board[x][1], BoardSide, saved[x - 1].data());
    }
}

inline void RestorePlayable(Board& board, const PlayablePoints& saved) {
    for (int x = 1; x <= BoardSide; ++x) {
        std::copy_n(saved[x - 1].data(), BoardSide, &board[x][1]);
    }
}

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

// Candidate entries 1..count as a search frame stores them.
using FrameCandidates = std::array<CandidateEntry, MaxCandidates + 1>;

inline void CopyEntries(const FrameCandidates& from, FrameCandidates& to, int count) {
    std::copy_n(from.begin() + 1, count, to.begin() + 1);
}

}  // namespace keldra
