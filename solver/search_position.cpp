#include "solver/search_position.h"

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

}  // namespace keldra
