#include "solver/position_memo.h"

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

std::size_t PositionMemo::slotOf(const Key& key) {
    std::uint64_t h = 0;
    for (const std::uint64_t w : key.words) h = mix(h ^ w);
    return static_cast<std::size_t>(h & (Slots - 1));
}

const std::int64_t* PositionMemo::Look(const SearchPosition& position, int ply, int depth) {
    const auto d = static_cast<std::size_t>(depth);
    Key& key = waitingKey_[d];
    if (!position.key(ply, key)) return nullptr;
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
