#include "solver/candidates.h"

#include <algorithm>
#include <bit>

namespace keldra {

bool CandidateList::contains(int x, int y) const {
    for (int i = 1; i <= count; ++i) {
        if (entry(i).X == x && entry(i).Y == y) return true;
    }
    return false;
}

namespace {

// A listing of up to every playable point, in the generator's listing order
// (row by row, Y = 1..13 outer, X = 1..13 inner). Index 0 is the first entry.
struct Listing {
    std::array<CandidateEntry, BoardSide * BoardSide> e;
    int count = 0;

    CandidateEntry& at(int i) { return e[static_cast<std::size_t>(i)]; }
    void add(int x, int y) {
        at(count++) = CandidateEntry{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0};
    }
    // Keeps the entries for which keep(entry) is true, in their order.
    template <class Keep>
    void filter(Keep keep) {
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            if (keep(at(i))) at(kept++) = at(i);
        }
        count = kept;
    }
};

// One bit per point of a column: bit Y of entry X. Entries 0 and 14 (the
// border columns) stay 0, and so do bits 0 and 14.
using Columns = StoneColumns::Columns;
constexpr std::uint16_t PlayableBits = 0x3FFE;  // bits 1..13

// The points with an orthogonal neighbour in `m`.
std::uint16_t besideColumn(const Columns& m, int x) {
    return static_cast<std::uint16_t>(
        ((m[static_cast<std::size_t>(x)] << 1) | (m[static_cast<std::size_t>(x)] >> 1) |
         m[static_cast<std::size_t>(x - 1)] | m[static_cast<std::size_t>(x + 1)]) &
        PlayableBits);
}

// The corner (1 top left, 2 top right, 3 bottom right, 4 bottom left) nearest
// the centre of every non-empty point; ties go to the higher corner number.
int nearestCorner(const StoneColumns& c) {
    if (c.sumX == 0) return 1;
    const int mx = c.sumX / c.count;
    const int my = c.sumY / c.count;
    const int cornerX[4] = {1, BoardSide, BoardSide, 1};
    const int cornerY[4] = {1, 1, BoardSide, BoardSide};
    int corner = 1;
    int nearest = 0;
    for (int k = 0; k < 4; ++k) {
        const int d = (mx - cornerX[k]) * (mx - cornerX[k]) + (my - cornerY[k]) * (my - cornerY[k]);
        if (k == 0 || d <= nearest) {
            nearest = d;
            corner = k + 1;
        }
    }
    return corner;
}

// Steps before the legality test, on bit columns instead of marks on the
// board: every 5 and 7 ends empty on the board and in `c`; the open region is the
// run of 0s and 5s from the edge away from the corner in each column, plus
// the 7s; it grows by one point; for black, region points beside a white
// stone open again; the empty points outside the region are listed row by
// row.
void listOutsideRegion(Board& board, int colour, StoneColumns& c, Listing& list) {
    const int corner = nearestCorner(c);
    Columns open{};
    unsigned marks = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        const auto i = static_cast<std::size_t>(x);
        open[i] = static_cast<std::uint16_t>(c.empty[i] | c.ranges[i]);
        marks |= c.ranges[i] | c.regions[i];
    }
    const Columns& sevens = c.regions;
    const Columns& white = c.white;
    const bool fromBottom = (corner == 1 || corner == 2);
    Columns region{};
    Columns listed{};
    for (int x = 1; x <= BoardSide; ++x) {
        const auto i = static_cast<std::size_t>(x);
        const unsigned blocked = ~static_cast<unsigned>(open[i]) & PlayableBits;
        unsigned run = PlayableBits;
        if (blocked != 0) {
            run = fromBottom ? PlayableBits & ~((2u << (std::bit_width(blocked) - 1)) - 1)
                             : PlayableBits & ((1u << std::countr_zero(blocked)) - 1);
        }
        region[i] = static_cast<std::uint16_t>(run | sevens[i]);
        listed[i] = static_cast<std::uint16_t>(open[i] & ~run);
    }
    Columns grow{};
    for (int x = 1; x <= BoardSide; ++x) grow[static_cast<std::size_t>(x)] = listed[static_cast<std::size_t>(x)] & besideColumn(region, x);
    for (int x = 1; x <= BoardSide; ++x) {
        const auto i = static_cast<std::size_t>(x);
        region[i] = static_cast<std::uint16_t>(region[i] | grow[i]);
        listed[i] = static_cast<std::uint16_t>(listed[i] & ~grow[i]);
    }
    if (colour == Black) {
        for (int x = 1; x <= BoardSide; ++x) {
            const auto i = static_cast<std::size_t>(x);
            listed[i] = static_cast<std::uint16_t>(listed[i] | (region[i] & besideColumn(white, x)));
        }
    }

    // every 5 and 7 ends empty, on the board and in the masks
    for (int x = 1; marks != 0 && x <= BoardSide; ++x) {
        const auto i = static_cast<std::size_t>(x);
        for (unsigned m = c.ranges[i] | c.regions[i]; m != 0; m &= m - 1) {
            const int index = IndexOf(x, std::countr_zero(m));
            Cells(board)[index].Stone = Empty;
            c.Update(board, index);
        }
    }

    // the listed points turned into one mask per row, then read row by row
    std::array<std::uint16_t, GridSide> byRow{};
    unsigned rows = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (unsigned m = listed[static_cast<std::size_t>(x)]; m != 0; m &= m - 1) {
            const int y = std::countr_zero(m);
            byRow[static_cast<std::size_t>(y)] = static_cast<std::uint16_t>(byRow[static_cast<std::size_t>(y)] | (1u << x));
            rows |= 1u << y;
        }
    }
    list.count = 0;
    for (; rows != 0; rows &= rows - 1) {
        const int y = std::countr_zero(rows);
        for (unsigned m = byRow[static_cast<std::size_t>(y)]; m != 0; m &= m - 1) list.add(std::countr_zero(m), y);
    }
}

// Decides, without touching the board, whether a stone of `colour` placed
// on an empty point would stay, with the same verdict as a real placement:
// refused on a point barred to the colour by a ko mark; otherwise it stays
// when it has an empty neighbour, captures a neighbouring opponent group
// whose last liberty it takes, or joins a group of its own that keeps a
// liberty elsewhere. Liberty counts are found once per group and kept.
class LegalityTest {
public:
    LegalityTest(const Board& board, std::uint8_t colour)
        : p_(Cells(board)), colour_(colour), opponent_(OpponentOf(colour)), s_(scratch()), first_(s_.next) {}

    bool Stays(int x, int y) {
        const int i = IndexOf(x, y);
        if (p_[i].KoMark == 1 && p_[i].KoColour == colour_) return false;
        for (const int d : Neighbour) {
            if (p_[i + d].Stone == Empty) return true;
        }
        for (const int d : Neighbour) {
            const std::uint8_t s = p_[i + d].Stone;
            if (s == opponent_ && libertiesOf(i + d) == 1) return true;
            if (s == colour_ && libertiesOf(i + d) >= 2) return true;
        }
        return false;
    }

private:
    // left, right, above, below
    static constexpr int Neighbour[4] = {-GridSide, GridSide, -1, 1};

    // The group marks of a thread, kept from one test to the next: every
    // group walked gets a new number, so marks of earlier tests never match
    // and nothing needs clearing until the numbers wrap.
    struct Scratch {
        std::array<std::uint32_t, GridPoints> group{};      // number of the group through a stone
        std::array<std::uint32_t, GridPoints> libertyOf{};  // number of the last group that counted this point
        std::array<std::uint8_t, GridPoints> liberties{};   // liberties of a group, by its first stone
        std::array<std::uint8_t, GridPoints> firstOf{};     // the first stone of the group through a stone
        std::uint32_t next = 1;                              // the next group number
    };
    static Scratch& scratch() {
        thread_local Scratch s;
        if (s.next > UINT32_MAX - GridPoints) {
            s = Scratch{};
        }
        return s;
    }

    // Distinct empty neighbours of the group of 1s or 2s through `start`.
    int libertiesOf(int start) {
        auto& group = s_.group;
        auto& libertyOf = s_.libertyOf;
        const auto s0 = static_cast<std::size_t>(start);
        if (group[s0] >= first_) return s_.liberties[s_.firstOf[s0]];
        const std::uint32_t id = s_.next++;
        const std::uint8_t code = p_[start].Stone;
        std::array<std::uint8_t, GridPoints> stack;
        int top = 0;
        int libs = 0;
        stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(start);
        group[s0] = id;
        s_.firstOf[s0] = static_cast<std::uint8_t>(start);
        while (top > 0) {
            const int i = stack[static_cast<std::size_t>(--top)];
            for (const int d : Neighbour) {
                const auto n = static_cast<std::size_t>(i + d);
                const std::uint8_t s = p_[n].Stone;
                if (s == Empty && libertyOf[n] != id) {
                    libertyOf[n] = id;
                    ++libs;
                } else if (s == code && group[n] != id) {
                    group[n] = id;
                    s_.firstOf[n] = static_cast<std::uint8_t>(start);
                    stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(n);
                }
            }
        }
        s_.liberties[s0] = static_cast<std::uint8_t>(libs);
        return libs;
    }

    const PointRecord* p_;
    std::uint8_t colour_;
    std::uint8_t opponent_;
    Scratch& s_;
    std::uint32_t first_;  // group numbers from here on belong to this test
};

// The points with a stone among their eight surrounding points (or on the
// point itself, which the callers ask about only when it is empty).
Columns nearStones(const StoneColumns& c) {
    Columns near{};
    for (int x = 1; x <= BoardSide; ++x) {
        const auto i = static_cast<std::size_t>(x);
        const unsigned h = c.held[i - 1] | c.held[i] | c.held[i + 1];
        near[i] = static_cast<std::uint16_t>((h | (h << 1) | (h >> 1)) & PlayableBits);
    }
    return near;
}

bool isNear(const Columns& near, int x, int y) { return (near[static_cast<std::size_t>(x)] >> y) & 1u; }

bool isCornerEdgePoint(int x, int y) {
    const int far = BoardSide;
    const int near = BoardSide - 1;
    return (x == 1 && y == 2) || (x == 2 && y == 1) || (x == near && y == 1) || (x == far && y == 2) ||
           (x == far && y == near) || (x == near && y == far) || (x == 1 && y == near) || (x == 2 && y == far);
}

// Keeps the points with a stone among their eight surrounding points (flag
// 1), then moves the eight edge points beside the corners to the front, each
// found one going ahead of those moved before it.
void keepNearStonesCornerEdgesFirst(const StoneColumns& c, Listing& list) {
    const Columns near = nearStones(c);
    for (int i = 0; i < list.count; ++i) {
        CandidateEntry& e = list.at(i);
        e.flag = isNear(near, e.X, e.Y) ? 1 : 0;
    }
    list.filter([](const CandidateEntry& e) { return e.flag == 1; });
    for (int i = 0; i < list.count; ++i) {
        const CandidateEntry e = list.at(i);
        if (!isCornerEdgePoint(e.X, e.Y)) continue;
        for (int k = i; k > 0; --k) list.at(k) = list.at(k - 1);
        list.at(0) = e;
    }
}

}  // namespace

void StoneColumns::Build(const Board& board) {
    *this = StoneColumns{};
    for (int x = 1; x <= BoardSide; ++x) {
        const PointRecord* column = &board[x][0];
        unsigned e = 0, b = 0, w = 0, r5 = 0, r7 = 0, h = 0;
        for (int y = 1; y <= BoardSide; ++y) {
            const std::uint8_t s = column[y].Stone;
            const unsigned bit = 1u << y;
            if (s == Empty) {
                e |= bit;
                continue;
            }
            ++count;
            sumX += x;
            sumY += y;
            if (s == Black) {
                b |= bit;
                ++blacks;
            } else if (s == White) {
                w |= bit;
                ++whites;
            } else if (s == RangeMark) {
                r5 |= bit;
            } else if (s == RegionMark) {
                r7 |= bit;
            }
            if (HoldsStone(s)) h |= bit;
        }
        const auto i = static_cast<std::size_t>(x);
        empty[i] = static_cast<std::uint16_t>(e);
        black[i] = static_cast<std::uint16_t>(b);
        white[i] = static_cast<std::uint16_t>(w);
        ranges[i] = static_cast<std::uint16_t>(r5);
        regions[i] = static_cast<std::uint16_t>(r7);
        held[i] = static_cast<std::uint16_t>(h);
        occupied[i] = static_cast<std::uint16_t>(e ^ PlayableBits);
    }
}

void StoneColumns::Update(const Board& board, int index) {
    const int x = index / GridSide;
    const int y = index % GridSide;
    const auto i = static_cast<std::size_t>(x);
    const auto bit = static_cast<std::uint16_t>(1u << y);
    if (occupied[i] & bit) {
        --count;
        sumX -= x;
        sumY -= y;
    }
    blacks -= (black[i] & bit) != 0;
    whites -= (white[i] & bit) != 0;
    const auto keep = static_cast<std::uint16_t>(~bit);
    empty[i] &= keep;
    black[i] &= keep;
    white[i] &= keep;
    ranges[i] &= keep;
    regions[i] &= keep;
    occupied[i] &= keep;
    held[i] &= keep;
    const std::uint8_t s = Cells(board)[index].Stone;
    if (s == Empty) {
        empty[i] |= bit;
        return;
    }
    occupied[i] |= bit;
    if (HoldsStone(s)) held[i] |= bit;
    ++count;
    sumX += x;
    sumY += y;
    if (s == Black) {
        black[i] |= bit;
        ++blacks;
    } else if (s == White) {
        white[i] |= bit;
        ++whites;
    } else if (s == RangeMark) {
        ranges[i] |= bit;
    } else if (s == RegionMark) {
        regions[i] |= bit;
    }
}

void GenerateCandidates(Position& pos, int colour, CandidateList& out) {
    StoneColumns columns;
    columns.Build(pos.board);
    GenerateCandidates(pos, colour, out, columns);
}

bool HasCandidates(Position& pos, int colour) {
    StoneColumns columns;
    columns.Build(pos.board);
    return HasCandidates(pos, colour, columns);
}

void GenerateCandidates(Position& pos, int colour, CandidateList& out, StoneColumns& columns) {
    Listing list;
    listOutsideRegion(pos.board, colour, columns, list);

    if (list.count > 0) {
        LegalityTest legal(pos.board, static_cast<std::uint8_t>(colour));
        list.filter([&](const CandidateEntry& e) { return legal.Stays(e.X, e.Y); });
        if (list.count >= 2) keepNearStonesCornerEdgesFirst(columns, list);
    }

    pos.LastX = 0;
    pos.LastY = 0;
    out.count = static_cast<std::uint8_t>(std::min(list.count, MaxCandidates));
    std::copy_n(list.e.begin(), out.count, out.entries.begin() + 1);
}

bool HasCandidates(Position& pos, int colour, StoneColumns& columns) {
    Listing list;
    listOutsideRegion(pos.board, colour, columns, list);
    pos.LastX = 0;
    pos.LastY = 0;

    // A point near a stone that stays is kept by the filter; without one, the
    // list is a single point that stays, or empty.
    LegalityTest legal(pos.board, static_cast<std::uint8_t>(colour));
    const Columns near = nearStones(columns);
    int farStaying = 0;
    for (int i = 0; i < list.count; ++i) {
        const CandidateEntry& e = list.at(i);
        if (isNear(near, e.X, e.Y)) {
            if (legal.Stays(e.X, e.Y)) return true;
        } else if (farStaying < 2 && legal.Stays(e.X, e.Y)) {
            ++farStaying;
        }
    }
    return farStaying == 1;
}

}  // namespace keldra
