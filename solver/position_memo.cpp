#include "solver/position_memo.h"

#include <bit>
#include <cstdlib>
#include <new>
#include <type_traits>

namespace keldra {

namespace {

std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

}  // namespace

PositionMemo::PositionMemo() : entries_(static_cast<Entry*>(std::calloc(Slots, sizeof(Entry)))) {
    static_assert(std::is_trivially_copyable_v<Entry> && std::is_trivially_default_constructible_v<Entry>);
    if (!entries_) throw std::bad_alloc();
}

void PositionMemo::Free::operator()(Entry* e) const { std::free(e); }

void PositionMemo::BeginSearch(const SearchStart* start) {
    waiting_.fill(false);
    if (start != nullptr && start->id == start_) return;
    start_ = (start != nullptr) ? start->id : 0;
    if (++stamp_ == 0) {
        for (std::size_t i = 0; i < Slots; ++i) entries_[i].stamp = 0;
        stamp_ = 1;
    }
}

bool PositionMemo::keyOf(const StoneColumns& c, const Board& board, int ply, Key& key) {
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
            const std::uint64_t point = static_cast<std::uint64_t>(IndexOf(x, y)) | (std::uint64_t{board[x][y].KoColour} << 8);
            last |= point << shift;
            shift += 16;
        }
    }
    key.words[7] = last;
    return true;
}

std::size_t PositionMemo::slotOf(const Key& key) {
    std::uint64_t h = 0;
    for (const std::uint64_t w : key.words) h = mix(h ^ w);
    return static_cast<std::size_t>(h & (Slots - 1));
}

const std::int64_t* PositionMemo::Look(const StoneColumns& columns, const Board& board, int ply, int depth) {
    const auto d = static_cast<std::size_t>(depth);
    Key& key = waitingKey_[d];
    if (!keyOf(columns, board, ply, key)) return nullptr;
    const Entry& e = entries_[slotOf(key)];
    if (e.stamp == stamp_ && e.key == key) return &e.value;
    waiting_[d] = true;
    return nullptr;
}

void PositionMemo::store(const Key& key, std::int64_t value) {
    Entry& e = entries_[slotOf(key)];
    e.key = key;
    e.value = value;
    e.stamp = stamp_;
}

}  // namespace keldra
