// Group fills over the prover's grid, with stamps instead of cleared marks.
#include "prover/grid.h"

namespace keldra::prover {

namespace {

void nextStamp(FillScratch& fs) {
    if (fs.now > 0xFFFFFF00u) {
        fs.stamp.fill(0);
        fs.now = 0;
    }
    fs.now += 2;  // now: in the group, now + 1: counted as a liberty
}

}  // namespace

std::uint32_t ReserveStamps(FillScratch& fs, std::uint32_t count) {
    if (fs.now > 0xFFFFFF00u - count) {
        fs.stamp.fill(0);
        fs.now = 0;
    }
    const std::uint32_t first = fs.now + 2;
    fs.now += count + 1;  // the next nextStamp starts past them
    return first;
}

GroupInfo GroupOf(const Cells& cell, int start, const PointFlags& safe, const PointFlags& ring, FillScratch& fs) {
    nextStamp(fs);
    const std::uint32_t inGroup = fs.now, isLiberty = fs.now + 1;
    const std::uint8_t colour = cell[static_cast<std::size_t>(start)];
    GroupInfo g;
    int top = 0;
    fs.stack[0] = static_cast<std::uint8_t>(start);
    fs.stamp[static_cast<std::size_t>(start)] = inGroup;
    top = 1;
    while (top > 0) {
        const int p = fs.stack[static_cast<std::size_t>(--top)];
        fs.group[static_cast<std::size_t>(g.size++)] = static_cast<std::uint8_t>(p);
        g.safe |= safe[static_cast<std::size_t>(p)] != 0;
        g.ring |= ring[static_cast<std::size_t>(p)] != 0;
        for (const int d : Offsets) {
            const int q = p + d;
            const auto qi = static_cast<std::size_t>(q);
            if (cell[qi] == colour) {
                if (fs.stamp[qi] != inGroup) {
                    fs.stamp[qi] = inGroup;
                    fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                }
            } else if (cell[qi] == Empty && fs.stamp[qi] != isLiberty) {
                fs.stamp[qi] = isLiberty;
                ++g.liberties;
            }
        }
    }
    return g;
}

bool HasLiberty(const Cells& cell, int start, FillScratch& fs) {
    nextStamp(fs);
    const std::uint32_t inGroup = fs.now;
    const std::uint8_t colour = cell[static_cast<std::size_t>(start)];
    int top = 0;
    fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(start);
    fs.stamp[static_cast<std::size_t>(start)] = inGroup;
    while (top > 0) {
        const int p = fs.stack[static_cast<std::size_t>(--top)];
        for (const int d : Offsets) {
            const auto qi = static_cast<std::size_t>(p + d);
            if (cell[qi] == Empty) return true;
            if (cell[qi] == colour && fs.stamp[qi] != inGroup) {
                fs.stamp[qi] = inGroup;
                fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(p + d);
            }
        }
    }
    return false;
}

}  // namespace keldra::prover
