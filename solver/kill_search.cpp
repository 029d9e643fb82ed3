#include "solver/kill_search.h"

#include <algorithm>

namespace keldra {

std::int8_t KillSearcher::Search(Position& pos, int rootX, int rootY, int rootPly, SolutionLine* record,
                                 const SearchStart* start) {
    std::uint8_t sp = 0;         // depth of the node being evaluated; frame sp is its frame
    std::uint8_t endIndex = 0;   // depth of the node that ended a line last
    std::int8_t latest = 0;
    std::int8_t best = 1;        // running best of the node whose children are searched
    std::uint8_t size = 0;       // entries in the list of depth sp - 1
    std::uint8_t position = 0;   // number in that list of the child being searched
    position_.begin(pos, start);
    StoneColumns& columns = position_.columns();
    checkAt_ = nodes_;
    const bool useMemo = (record == nullptr);
    if (useMemo) memo_.BeginSearch(start);

    frames_[0].X = static_cast<std::uint8_t>(rootX);
    frames_[0].Y = static_cast<std::uint8_t>(rootY);
    frames_[0].ply = static_cast<std::uint8_t>(rootPly);
    int x = rootX;
    int y = rootY;
    int ply = rootPly;

    for (;;) {
        // Evaluate the move (x, y) at `ply`, depth sp.
        if (nodes_ >= checkAt_) {
            if (nodes_ >= nodeLimit_ || (stop_ != nullptr && stop_->load(std::memory_order_relaxed))) {
                position_.undoAll();
                return 0;
            }
            checkAt_ = std::min(nodeLimit_, nodes_ + StopCheckNodes);
        }
        ++nodes_;
        const std::uint8_t mover = ColourOfPly(ply);
        const std::uint8_t opponent = OpponentOf(mover);
        std::int8_t value = 0;

        // The mover's candidates before the move are the parent's list, which
        // holds this move; only the root needs them generated. Both counts
        // matter only as zero or not.
        const bool moverHas = (sp != 0) || HasCandidates(pos, mover, columns);
        const bool opponentHas =
            (sp == 0) ? HasCandidates(pos, opponent, columns) : moverHasAfter_[sp - 1u];
        if (moverHas && opponentHas) {
            position_.play(x, y, mover);
            // Below the root (after its generation cleared every 5 and 7) a
            // position finished before gives its value at once.
            if (useMemo && sp != 0) {
                if (const std::int64_t* kept = memo_.Look(position_, ply, sp)) {
                    value = static_cast<std::int8_t>(*kept);
                }
            }
        }
        const int s = StonesOf(columns, opponent);

        if (value != 0) {
            // known from the memo
        } else if (s == 0 || !moverHas || !opponentHas) {
            value = moverHas ? 1 : -1;
            endIndex = sp;
        } else if (ply >= Horizon) {
            // A ply past the horizon cannot come from the callers' plies; it
            // ends here too, so the stack never outgrows its frames.
            value = -1;
        } else {
            CandidateList& replies = lists_[sp];
            const bool moverHasNow = GenerateCandidatesAndAskOther(pos, opponent, replies, columns);
            if (replies.count == 0) {
                value = moverHasNow ? 1 : -1;
                endIndex = sp;
            } else {
                // Expand: the opponent's replies are the children, at ply + 1.
                moverHasAfter_[sp] = moverHasNow;
                size = replies.count;
                best = 1;
                position = 1;
                ply = ply + 1;
            }
        }

        if (value != 0) {
            // The value is known: pop frames until a node has a child left to search.
            for (;;) {
                latest = value;
                if (sp == 0) {
                    // A line can end on a placement with no generation after
                    // it; the caller gets no last move either way.
                    pos.LastX = 0;
                    pos.LastY = 0;
                    if (latest == 1 && record != nullptr) {
                        record->SolutionLast = endIndex;
                        for (int i = 0; i <= endIndex; ++i) {
                            const Frame& f = frames_[static_cast<std::size_t>(i)];
                            record->entries[static_cast<std::size_t>(i)] = MoveRecord{f.X, f.Y, ColourOfPly(f.ply)};
                            record->plies[static_cast<std::size_t>(i)] = f.ply;
                        }
                    }
                    return latest;
                }
                if (useMemo) memo_.Finish(sp, latest);
                const Frame& f = frames_[sp];
                position_.undo(f.undo);
                position = f.position;
                size = f.size;
                ply = f.ply;
                best = f.best;
                --sp;
                ++position;
                const std::int8_t w = static_cast<std::int8_t>(-latest);
                if (w < best) best = w;
                if (w == -1 || position > size) {
                    value = best;  // cut-off, or every child searched
                    continue;
                }
                break;
            }
        }

        // Push child `position` of the list of depth sp and evaluate it next.
        const CandidateEntry& child = lists_[sp].entry(position);
        ++sp;
        Frame& f = frames_[sp];
        f.position = position;
        f.size = size;
        f.ply = static_cast<std::uint8_t>(ply);
        f.undo = position_.mark();
        f.X = child.X;
        f.Y = child.Y;
        f.best = best;
        x = child.X;
        y = child.Y;
    }
}

std::int8_t KillSearch(Position& pos, int x, int y, int ply, SolutionLine* record, std::uint64_t* nodes) {
    KillSearcher searcher;
    const std::int8_t value = searcher.Search(pos, x, y, ply, record);
    if (nodes != nullptr) *nodes += searcher.nodes();
    return value;
}

}  // namespace keldra
