// The prover's grid: point indices, point sets, and the group fills that
// the set-up, the position and the move generator share.
#pragma once

#include <array>
#include <cstdint>

#include "BAN/board.h"

namespace keldra::prover {

// Grid index x * GridSide + y, as the Board stores its points. Index 0 is a
// border corner, never a move, so it stands for a pass.
inline constexpr int PassMove = 0;
inline constexpr std::uint8_t EdgeCell = 3;

// The four neighbours of a grid index: left, right, above, below.
inline constexpr int Offsets[4] = {-GridSide, GridSide, -1, 1};

// One grid's stone codes: Empty, Black, White or EdgeCell.
using Cells = std::array<std::uint8_t, GridPoints>;
// A flag per grid point.
using PointFlags = std::array<std::uint8_t, GridPoints>;

inline int PointX(int i) { return i / GridSide; }
inline int PointY(int i) { return i % GridSide; }

// A board's Stone code as a grid cell: stones stay, every other code of a
// playable point is empty.
inline std::uint8_t CellOf(std::uint8_t code) {
    return code == Empty ? Empty : code == Black ? Black : code == White ? White : EdgeCell;
}

// A set of grid points, one bit each.
using PointMask = std::array<std::uint64_t, 4>;
inline bool HasPoint(const PointMask& m, int i) { return (m[static_cast<std::size_t>(i) >> 6] >> (i & 63)) & 1u; }
inline void AddPoint(PointMask& m, int i) { m[static_cast<std::size_t>(i) >> 6] |= std::uint64_t{1} << (i & 63); }
// The four neighbours of every point of m (the points of m themselves only
// where they neighbour another).
inline PointMask NeighboursOf(const PointMask& m) {
    constexpr int Words = 4;
    PointMask out{};
    for (int w = 0; w < Words; ++w) {
        const auto i = static_cast<std::size_t>(w);
        std::uint64_t v = (m[i] << 1) | (m[i] >> 1) | (m[i] << GridSide) | (m[i] >> GridSide);
        if (w > 0) v |= (m[i - 1] >> 63) | (m[i - 1] >> (64 - GridSide));
        if (w + 1 < Words) v |= (m[i + 1] << 63) | (m[i + 1] << (64 - GridSide));
        out[i] = v;
    }
    return out;
}
inline void AddPoints(PointMask& m, const PointMask& o) {
    for (std::size_t w = 0; w < m.size(); ++w) m[w] |= o[w];
}
// Adds the points of o that are also in filter.
inline void AddCommonPoints(PointMask& m, const PointMask& o, const PointMask& filter) {
    for (std::size_t w = 0; w < m.size(); ++w) m[w] |= o[w] & filter[w];
}

// Scratch for group fills; one per thread.
struct FillScratch {
    std::array<std::uint32_t, GridPoints> stamp{};
    std::uint32_t now = 0;
    std::array<std::uint8_t, GridPoints> stack{};
    std::array<std::uint8_t, GridPoints> group{};
};

struct GroupInfo {
    int size = 0;
    int liberties = 0;
    bool safe = false;  // holds a point of `safe`
    bool ring = false;  // holds a point of `ring`
};

// Fills the group through `start` (a stone) into fs.group and counts its
// liberties; `safe` and `ring` flag the points the caller asks about.
GroupInfo GroupOf(const Cells& cell, int start, const PointFlags& safe, const PointFlags& ring, FillScratch& fs);

// `count` stamps of fs for the caller's own marks, none of them in use: the
// first is returned.
std::uint32_t ReserveStamps(FillScratch& fs, std::uint32_t count);

// True when the group through the stone at `start` has a liberty; stops at
// the first.
bool HasLiberty(const Cells& cell, int start, FillScratch& fs);

}  // namespace keldra::prover
