#include "solver/stone_columns.h"

namespace keldra {

namespace {

constexpr std::uint16_t PlayableBits = 0x3FFE;  // bits 1..13

}  // namespace

void StoneColumns::Build(const Board& board) {
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

void StoneColumns::changeAny(int index, std::uint8_t from, std::uint8_t to) {
    const int x = index / GridSide;
    const int y = index % GridSide;
    const auto i = static_cast<std::size_t>(x);
    const auto bit = static_cast<std::uint16_t>(1u << y);
    const auto maskOf = [&](std::uint8_t code) -> std::uint16_t* {
        switch (code) {
            case Empty: return &empty[i];
            case Black: return &black[i];
            case White: return &white[i];
            case RangeMark: return &ranges[i];
            case RegionMark: return &regions[i];
            default: return nullptr;
        }
    };
    if (std::uint16_t* m = maskOf(from)) *m = static_cast<std::uint16_t>(*m & ~bit);
    if (std::uint16_t* m = maskOf(to)) *m = static_cast<std::uint16_t>(*m | bit);
    blacks += (to == Black) - (from == Black);
    whites += (to == White) - (from == White);
    if ((from == Empty) != (to == Empty)) {
        const int sign = (to == Empty) ? -1 : 1;
        occupied[i] = static_cast<std::uint16_t>(occupied[i] ^ bit);
        count += sign;
        sumX += sign * x;
        sumY += sign * y;
    }
    held[i] = static_cast<std::uint16_t>(HoldsStone(to) ? held[i] | bit : held[i] & ~bit);
}

}  // namespace keldra
