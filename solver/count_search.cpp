#include "solver/count_search.h"

#include <algorithm>

namespace keldra {

namespace {

// Moves below the root from this ply on keep their counts: below them the
// subtrees are big enough to be worth a look-up, and they are played after
// the root's generation, which cleared every 5 and 7.
constexpr int FirstMemoPly = 3;

}  // namespace

std::int64_t CountSearcher::Search(Position& pos, int x, int y, int ply, const SearchStart* start) {
    std::int64_t lineCount = 0;
    std::uint8_t sp = 0;
    std::uint8_t position = 0;
    std::uint8_t size = 0;
    position_.begin(pos, start);
    StoneColumns& columns = position_.columns();
    checkAt_ = nodes_;
    memo_.BeginSearch(start);

    for (;;) {
        // Evaluate the move (x, y) at `ply`; expanding sets position 1.
        if (nodes_ >= checkAt_) {
            if (nodes_ >= nodeLimit_ || (stop_ != nullptr && stop_->load(std::memory_order_relaxed))) {
                position_.undoAll();
                return -1;
            }
            checkAt_ = std::min(nodeLimit_, nodes_ + StopCheckNodes);
        }
        ++nodes_;
        bool expanded = false;
        if (ply < CountHorizon) {
            position_.play(x, y, ColourOfPly(ply));
            const int blacks = columns.blacks;
            const int whites = columns.whites;
            const std::int64_t* kept = nullptr;
            if (sp != 0 && ply >= FirstMemoPly) {
                kept = memo_.Look(position_, ply, sp);
                countBefore_[sp] = lineCount;
            }
            if (kept != nullptr) {
                lineCount += *kept;
                // counted before: the node ends here
            } else if (blacks == 0) {
                ++lineCount;
            } else if (whites != 0) {
                const std::uint8_t next = ColourOfPly(ply + 1);
                if (ply + 1 >= CountHorizon) {
                    // Children past the horizon are never played and end at
                    // once: only whether black has one matters.
                    if (next == Black && !HasCandidates(pos, next, columns)) ++lineCount;
                } else {
                    CandidateList& replies = lists_[sp];
                    GenerateCandidates(pos, next, replies, columns);
                    if (replies.count == 0) {
                        if (next == Black) ++lineCount;
                    } else {
                        size = replies.count;
                        position = 1;
                        ply = ply + 1;
                        expanded = true;
                    }
                }
            }
        }

        if (!expanded) {
            // The line ended: pop until a parent has a sibling left.
            for (;;) {
                if (sp == 0) {
                    pos.LastX = 0;
                    pos.LastY = 0;
                    return lineCount;
                }
                memo_.Finish(sp, lineCount - countBefore_[sp]);
                const ListFrame& f = frames_[sp];
                position_.undo(f.undo);
                position = f.position;
                size = f.size;
                ply = f.ply;
                --sp;
                ++position;
                if (position <= size) break;
            }
        }

        // Push child `position` of the list of depth sp and evaluate it next.
        const CandidateEntry& child = lists_[sp].entry(position);
        ++sp;
        frames_[sp] = ListFrame{position, size, static_cast<std::uint8_t>(ply), position_.mark()};
        x = child.X;
        y = child.Y;
    }
}

std::int64_t CountSearch(Position& pos, int x, int y, int ply, std::uint64_t* nodes) {
    CountSearcher searcher;
    const std::int64_t count = searcher.Search(pos, x, y, ply);
    if (nodes != nullptr) *nodes += searcher.nodes();
    return count;
}

}  // namespace keldra
