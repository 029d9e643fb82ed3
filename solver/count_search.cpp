#include "solver/count_search.h"

#include <bit>

namespace keldra {

namespace {

// Moves at these plies keep their counts: below them the subtrees are big
// enough to be worth a look-up, and they are played after the first
// generation of the search, which cleared every 5 and 7.
constexpr int FirstMemoPly = 3;

std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

}  // namespace

CountSearcher::CountSearcher() : memo_(new MemoEntry[std::size_t{1} << MemoBits]()) {}

std::size_t CountSearcher::slotOf(const MemoKey& key) {
    std::uint64_t h = 0;
    for (const std::uint64_t w : key.words) h = mix(h ^ w);
    return static_cast<std::size_t>(h & ((std::uint64_t{1} << MemoBits) - 1));
}

void CountSearcher::storeCount(const MemoKey& key, std::int64_t count) {
    MemoEntry& entry = memo_[slotOf(key)];
    entry.key = key;
    entry.count = count;
    entry.stamp = memoStamp_;
}

bool CountSearcher::memoKeyOf(const Board& board, int ply, MemoKey& key) const {
    const StoneColumns& c = columns_;
    for (int k = 0; k < 7; ++k) {
        const auto x = static_cast<std::size_t>(2 * k + 1);
        const std::uint64_t first = c.black[x] | (std::uint64_t{c.white[x]} << 16);
        const std::uint64_t second = (x + 1 <= BoardSide) ? c.black[x + 1] | (std::uint64_t{c.white[x + 1]} << 16) : 0;
        key.words[static_cast<std::size_t>(k)] = first | (second << 32);
    }
    // ply, then up to four ko points as (index, colour)
    std::uint64_t last = static_cast<std::uint64_t>(ply);
    int shift = 8;
    for (int x = 1; x <= BoardSide; ++x) {
        for (unsigned m = c.koMarks[static_cast<std::size_t>(x)]; m != 0; m &= m - 1) {
            if (shift > 8 + 3 * 12) return false;
            const int y = std::countr_zero(m);
            const std::uint64_t point = static_cast<std::uint64_t>(IndexOf(x, y)) | (std::uint64_t{board[x][y].KoColour} << 8);
            last |= point << shift;
            shift += 12;
        }
    }
    key.words[7] = last;
    return true;
}

std::int64_t CountSearcher::Search(Position& pos, int x, int y, int ply, const SearchStart* start) {
    std::int64_t lineCount = 0;
    std::uint8_t sp = 0;
    std::uint8_t position = 0;
    std::uint8_t size = 0;
    log_.size = 0;
    BeginSearch(pos.board, start, columns_, rootKo_);
    // Counts stay valid for every search from the same start; codes other
    // than 0, 1 and 2 may differ between starts.
    if (start == nullptr || start->id != memoJob_) {
        memoJob_ = (start != nullptr) ? start->id : 0;
        if (++memoStamp_ == 0) {
            for (std::size_t i = 0; i < (std::size_t{1} << MemoBits); ++i) memo_[i].stamp = 0;
            memoStamp_ = 1;
        }
    }
    pending_.fill(false);

    for (;;) {
        // Evaluate the move (x, y) at `ply`; expanding sets position 1.
        if (nodes_ >= nodeLimit_) {
            AbandonSearch(pos, log_, columns_);
            return -1;
        }
        ++nodes_;
        bool expanded = false;
        if (ply < CountHorizon) {
            KoPoints& ko = koAt_[sp];
            ko = (sp == 0) ? rootKo_ : koAt_[sp - 1u];
            PlayLogged(pos, x, y, ColourOfPly(ply), log_, ko, columns_);
            const int blacks = columns_.blacks;
            const int whites = columns_.whites;
            bool known = false;
            if (ply >= FirstMemoPly && memoKeyOf(pos.board, ply, pendingKey_[sp])) {
                const MemoEntry& entry = memo_[slotOf(pendingKey_[sp])];
                known = entry.stamp == memoStamp_ && entry.key == pendingKey_[sp];
                if (known) {
                    lineCount += entry.count;
                } else {
                    pending_[sp] = true;
                    countBefore_[sp] = lineCount;
                }
            }
            if (known) {
                // counted before: the node ends here
            } else if (blacks == 0) {
                ++lineCount;
            } else if (whites != 0) {
                const std::uint8_t next = ColourOfPly(ply + 1);
                if (ply + 1 >= CountHorizon) {
                    // Children past the horizon are never played and end at
                    // once: only whether black has one matters.
                    if (next == Black && !HasCandidates(pos, next, columns_)) ++lineCount;
                } else {
                    CandidateList& replies = lists_[sp];
                    GenerateCandidates(pos, next, replies, columns_);
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
                if (pending_[sp]) {
                    pending_[sp] = false;
                    storeCount(pendingKey_[sp], lineCount - countBefore_[sp]);
                }
                const ListFrame& f = frames_[sp];
                TakeBack(pos, log_, f.logMark, columns_);
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
        frames_[sp] = ListFrame{position, size, static_cast<std::uint8_t>(ply), log_.size};
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
