#include "solver/search_position.h"

#include <bit>

namespace keldra {

void SearchPosition::begin(Position& pos, const SearchStart* start) {
    pos_ = &pos;
    log_.size = 0;
    if (start != nullptr) {
        columns_ = start->columns;
        rootKo_ = start->ko;
    } else {
        columns_.Build(pos.board);
        rootKo_ = KoPoints{};
    }
    ko_ = rootKo_;
}

bool SearchPosition::key(int ply, PositionKey& key) const {
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
