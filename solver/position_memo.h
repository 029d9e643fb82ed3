// Values of positions a search has finished, so that a position met again -
// by the same moves in another order, or from another root candidate of the
// same start - is not searched again. A value below a move depends only on
// the position after it (stones and ko marks) and its ply; the key holds
// all of them exactly, so a hit gives exactly the value a search would.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "solver/search_position.h"
#include "solver/search_support.h"

namespace keldra {

class PositionMemo {
public:
    using Key = PositionKey;

    // Allocates the table, once, when the searcher is made. The memory comes
    // zeroed from the system, page by page as the searches reach it, so a
    // searcher that is made and little used costs little.
    PositionMemo();

    // Deeper than any line of either search.
    static constexpr int Depths = 81;

    // Entries stay valid for every search from the same shared start (codes
    // other than 0, 1 and 2 may differ between starts); a search without
    // one starts from an empty memo. Nothing is waiting to be kept.
    void BeginSearch(const SearchStart* start);

    // The value kept for `position` after the move of depth `depth` at
    // `ply` (the position holds no 5 or 7), or nullptr. When it has none,
    // the node's value is waiting: Finish keeps it.
    const std::int64_t* Look(const SearchPosition& position, int ply, int depth);
    // The node of depth `depth` ended with `value`; kept if it was waiting.
    void Finish(int depth, std::int64_t value) {
        const auto d = static_cast<std::size_t>(depth);
        if (!waiting_[d]) return;
        waiting_[d] = false;
        store(waitingKey_[d], value);
    }

private:
    struct Entry {
        Key key;
        std::int64_t value;
        std::uint32_t stamp;  // valid when equal to stamp_; 0 never is
    };
    struct Free {
        void operator()(Entry* e) const;
    };
    static constexpr std::size_t Slots = std::size_t{1} << 13;
    static std::size_t slotOf(const Key& key);
    void store(const Key& key, std::int64_t value);

    std::unique_ptr<Entry[], Free> entries_;
    std::uint32_t stamp_ = 0;
    std::uint64_t start_ = 0;  // the id of the start the entries belong to
    // The nodes on the current line whose values are to be kept.
    std::array<Key, Depths> waitingKey_;
    std::array<bool, Depths> waiting_{};
};

}  // namespace keldra
