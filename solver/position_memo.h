// Values of positions a search has finished, so that a position met again -
// by the same moves in another order, or from another root candidate of the
// same start - is not searched again. A value below a move depends only on
// the position after it (stones and ko marks) and its ply; the key holds
// all of them exactly, so a hit gives exactly the value a search would.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "solver/search_support.h"

namespace keldra {

class PositionMemo {
public:
    struct Key {
        std::array<std::uint64_t, 8> words;  // stone masks of the columns; ply and ko points
        friend bool operator==(const Key&, const Key&) = default;
    };

    // Allocates the table, once, when the searcher is made. The memory comes
    // zeroed from the system, page by page as the searches reach it, so a
    // searcher that is made and little used costs little.
    PositionMemo();

    // Entries stay valid for every search from the same shared start (codes
    // other than 0, 1 and 2 may differ between starts); a search without
    // one starts from an empty memo.
    void BeginSearch(const SearchStart* start);

    // The key of the position that `columns` mirrors at `ply`, ko colours
    // read from `board`; false when it has more ko points than a key holds.
    // The position must hold no 5 or 7.
    static bool KeyOf(const StoneColumns& columns, const Board& board, int ply, Key& key);

    // The value kept for `key`, or nullptr.
    const std::int64_t* Find(const Key& key) const;
    void Store(const Key& key, std::int64_t value);

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

    std::unique_ptr<Entry[], Free> entries_;
    std::uint32_t stamp_ = 0;
    std::uint64_t start_ = 0;  // the id of the start the entries belong to
};

}  // namespace keldra
