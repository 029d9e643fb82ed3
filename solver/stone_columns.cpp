#include "solver/stone_columns.h"

namespace keldra {

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
