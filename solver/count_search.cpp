#include "solver/count_search.h"

namespace keldra {

std::int64_t CountSearcher::Search(Position& pos, int x, int y, int ply) {
    std::int64_t lineCount = 0;
    std::uint8_t sp = 0;
    std::uint8_t position = 0;
    std::uint8_t size = 0;

    for (;;) {
        // Evaluate the move (x, y) at `ply`; expanding sets position 1.
        ++nodes_;
        bool expanded = false;
        if (ply < CountHorizon) {
            PlaceStone(pos, x, y, ColourOfPly(ply));
            const int blacks = CountStones(pos.board, Black);
            const int whites = CountStones(pos.board, White);
            if (blacks == 0) {
                ++lineCount;
            } else if (whites != 0) {
                const std::uint8_t next = ColourOfPly(ply + 1);
                GenerateCandidates(pos, next, scratch_);
                if (scratch_.count == 0) {
                    if (next == Black) ++lineCount;
                } else {
                    size = scratch_.count;
                    CopyEntries(scratch_.entries, work_, size);
                    position = 1;
                    ply = ply + 1;
                    expanded = true;
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
                frames_[sp].Restore(position, size, ply, work_, pos.board);
                --sp;
                ++position;
                if (position <= size) break;
            }
        }

        // Push child `position` and evaluate it next.
        ++sp;
        frames_[sp].Save(position, size, ply, work_, pos.board);
        x = work_[position].X;
        y = work_[position].Y;
    }
}

std::int64_t CountSearch(Position& pos, int x, int y, int ply, std::uint64_t* nodes) {
    CountSearcher searcher;
    const std::int64_t count = searcher.Search(pos, x, y, ply);
    if (nodes != nullptr) *nodes += searcher.nodes();
    return count;
}

}  // namespace keldra
