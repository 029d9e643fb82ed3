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

// What a frame of either search keeps of the node it belongs to: its number
// in the parent's list, the size of that list, its ply, the list itself and
// the position before its move.
struct ListFrame {
    std::uint8_t position;
    std::uint8_t size;
    std::uint8_t ply;
    FrameCandidates candidates;
    PlayablePoints points;

    void Save(std::uint8_t position_, std::uint8_t size_, int ply_, const FrameCandidates& work, const Board& board) {
        position = position_;
        size = size_;
        ply = static_cast<std::uint8_t>(ply_);
        CopyEntries(work, candidates, size_);
        SavePlayable(board, points);
    }
    // Gives the parent's list back and the position before this node's move.
    void Restore(std::uint8_t& position_, std::uint8_t& size_, int& ply_, FrameCandidates& work, Board& board) const {
        position_ = position;
        size_ = size;
        ply_ = ply;
        CopyEntries(candidates, work, size);
        RestorePlayable(board, points);
    }
};

}  // namespace keldra
