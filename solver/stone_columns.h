// The stone codes of a board as column masks, kept in step with the board
// by the searches.
#pragma once

#include <array>
#include <cstdint>

#include "BAN/board.h"

namespace keldra {

// The stone codes of a board as one 16-bit mask per column (bit Y of entry
// X; border columns and bits stay 0), with the count and coordinate sums of
// the non-empty points. A search builds it once and updates the points its
// moves change, so that a generation need not read the whole board.
struct StoneColumns {
    static constexpr std::uint16_t PlayableBits = 0x3FFE;  // bits 1..13
    using Columns = std::array<std::uint16_t, GridSide>;
    Columns empty{};     // code 0
    Columns black{};     // code 1
    Columns white{};     // code 2
    Columns ranges{};    // code 5
    Columns regions{};   // code 7
    Columns occupied{};  // any code other than 0
    Columns held{};      // codes 1 to 127: what counts as a stone nearby
    Columns koMarks{};   // KoMark 1
    int blacks = 0;
    int whites = 0;
    int count = 0;  // non-empty points
    int sumX = 0;
    int sumY = 0;

    void Build(const Board& board);
    // Brings the masks up to date after the point at grid index `index`
    // (x * GridSide + y) may have changed its KoMark.
    void UpdateKo(const Board& board, int index) {
        const auto i = static_cast<std::size_t>(index / GridSide);
        const auto bit = static_cast<std::uint16_t>(1u << (index % GridSide));
        koMarks[i] = static_cast<std::uint16_t>(Cells(board)[index].KoMark == 1 ? koMarks[i] | bit : koMarks[i] & ~bit);
    }
    // The same after its code went from `from` to `to`. A move in a search
    // only ever places or removes a black or white stone.
    void Change(int index, std::uint8_t from, std::uint8_t to) {
        const bool placed = (from == Empty && (to == Black || to == White));
        if (!placed && !(to == Empty && (from == Black || from == White))) {
            changeAny(index, from, to);
            return;
        }
        const int x = index / GridSide;
        const int y = index - x * GridSide;
        const auto i = static_cast<std::size_t>(x);
        const auto bit = static_cast<std::uint16_t>(1u << y);
        const std::uint8_t stone = placed ? to : from;
        Columns& colour = (stone == Black) ? black : white;
        int& stones = (stone == Black) ? blacks : whites;
        const int sign = placed ? 1 : -1;
        empty[i] ^= bit;
        colour[i] ^= bit;
        occupied[i] ^= bit;
        held[i] ^= bit;
        stones += sign;
        count += sign;
        sumX += sign * x;
        sumY += sign * y;
    }
    // Change for any pair of codes.
    void changeAny(int index, std::uint8_t from, std::uint8_t to);
};

// Inline, so that a generation from a bare board builds its masks in place.
inline void StoneColumns::Build(const Board& board) {
    *this = StoneColumns{};
    for (int x = 1; x <= BoardSide; ++x) {
        const PointRecord* column = &board[x][0];
        unsigned e = 0, b = 0, w = 0, r5 = 0, r7 = 0, h = 0, k = 0;
        for (int y = 1; y <= BoardSide; ++y) {
            const std::uint8_t s = column[y].Stone;
            const unsigned bit = 1u << y;
            if (column[y].KoMark == 1) k |= bit;
            if (s == Empty) {
                e |= bit;
                continue;
            }
            ++count;
            sumX += x;
            sumY += y;
            if (s == Black) {
                b |= bit;
                ++blacks;
            } else if (s == White) {
                w |= bit;
                ++whites;
            } else if (s == RangeMark) {
                r5 |= bit;
            } else if (s == RegionMark) {
                r7 |= bit;
            }
            if (HoldsStone(s)) h |= bit;
        }
        const auto i = static_cast<std::size_t>(x);
        empty[i] = static_cast<std::uint16_t>(e);
        black[i] = static_cast<std::uint16_t>(b);
        white[i] = static_cast<std::uint16_t>(w);
        ranges[i] = static_cast<std::uint16_t>(r5);
        regions[i] = static_cast<std::uint16_t>(r7);
        held[i] = static_cast<std::uint16_t>(h);
        koMarks[i] = static_cast<std::uint16_t>(k);
        occupied[i] = static_cast<std::uint16_t>(e ^ PlayableBits);
    }
}

}  // namespace keldra
