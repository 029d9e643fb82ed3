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
// stone open again. The empty points outside the region are listed: `plain`
// for white, `plain` and `reopened` for black.
struct Listed {
    Columns plain{};
    Columns reopened{};
    int first = 1;  // listed points lie in the columns first..last only
    int last = 0;

    unsigned column(int x, int colour) const {
        const auto i = static_cast<std::size_t>(x);
        return colour == Black ? plain[i] | reopened[i] : plain[i];
    }
};

// Whether the region runs from the bottom edge (the corner is at the top).
bool regionFromBottom(const StoneColumns& c) {
    const int corner = nearestCorner(c);
    return corner == 1 || corner == 2;
}

// The columns from one before the first non-empty column to one after the
// last; false when every column is empty. A column with no code in it or
// beside it is all region and lists nothing, so only these are worked out.
bool columnSpan(const StoneColumns& c, int& first, int& last) {
    first = 1;
    last = BoardSide;
    while (first <= last && c.occupied[static_cast<std::size_t>(first)] == 0) ++first;
    while (last >= first && c.occupied[static_cast<std::size_t>(last)] == 0) --last;
    if (first > last) return false;
    first = std::max(1, first - 1);
    last = std::min(BoardSide, last + 1);
    return true;
}

// Column x split into the run of 0s and 5s from the edge away from the
// corner plus the 7s (region) and the other 0s and 5s (listed).
struct ColumnSplit {
    unsigned region = 0;
    unsigned listed = 0;
};

ColumnSplit splitColumn(const StoneColumns& c, int x, bool fromBottom) {
    const auto i = static_cast<std::size_t>(x);
    const unsigned open = c.empty[i] | c.ranges[i];
    const unsigned blocked = ~open & PlayableBits;
    unsigned run = PlayableBits;
    if (blocked != 0) {
        run = fromBottom ? PlayableBits & ~((2u << (std::bit_width(blocked) - 1)) - 1)
                         : PlayableBits & ((1u << std::countr_zero(blocked)) - 1);
    }
    return ColumnSplit{run | c.regions[i], open & ~run};
}

// The listed points of column x once the region grew by one point: `plain`
// for white, with `reopened` for black (region points beside a white stone
// listed again). Both read the region before it grew.
struct ColumnListing {
    unsigned plain;
    unsigned reopened;
};

ColumnListing listColumn(const StoneColumns& c, int x, unsigned regionLeft, const ColumnSplit& here,
                         unsigned regionRight) {
    const unsigned beside = ((here.region << 1) | (here.region >> 1) | regionLeft | regionRight) & PlayableBits;
    return ColumnListing{here.listed & ~beside, (here.region | (here.listed & beside)) & besideColumn(c.white, x)};
}

// Calls visit(x, listing) for the columns first..last in order, each with
// its listed points, until a visit returns true; true if one did.
template <class Visit>
bool visitListedColumns(const StoneColumns& c, int first, int last, Visit visit) {
    const bool fromBottom = regionFromBottom(c);
    unsigned leftRegion = 0;
    ColumnSplit here = splitColumn(c, first, fromBottom);
    for (int x = first; x <= last; ++x) {
        const ColumnSplit right = (x < last) ? splitColumn(c, x + 1, fromBottom) : ColumnSplit{};
        const ColumnListing listing = listColumn(c, x, leftRegion, here, right.region);
        leftRegion = here.region;
        here = right;
        if (visit(x, listing)) return true;
    }
    return false;
}

// The 5s and 7s of the columns first..last (there are none elsewhere:
// they are non-empty points).
unsigned marksIn(const StoneColumns& c, int first, int last) {
    unsigned marks = 0;
    for (int x = first; x <= last; ++x) marks |= c.ranges[static_cast<std::size_t>(x)] | c.regions[static_cast<std::size_t>(x)];
    return marks;
}

Listed outsideRegion(Board& board, StoneColumns& c) {
    Listed result;
    int first = 0;
    int last = 0;
    if (!columnSpan(c, first, last)) return result;
    result.first = first;
    result.last = last;
    visitListedColumns(c, first, last, [&](int x, const ColumnListing& l) {
        const auto i = static_cast<std::size_t>(x);
        result.plain[i] = static_cast<std::uint16_t>(l.plain);
        result.reopened[i] = static_cast<std::uint16_t>(l.reopened);
        return false;
    });

    // every 5 and 7 ends empty, on the board and in the masks
    if (marksIn(c, first, last) == 0) return result;
    for (int x = first; x <= last; ++x) {
        const auto i = static_cast<std::size_t>(x);
        for (unsigned m = c.ranges[i] | c.regions[i]; m != 0; m &= m - 1) {
            const int index = IndexOf(x, std::countr_zero(m));
            PointRecord& p = Cells(board)[index];
            c.changeAny(index, p.Stone, Empty);
            p.Stone = Empty;
        }
    }
    return result;
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
            if (s == opponent_ && libertiesUpToTwo(i + d) == 1) return true;
            if (s == colour_ && libertiesUpToTwo(i + d) >= 2) return true;
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

    // Distinct empty neighbours of the group of 1s or 2s through `start`,
    // counted up to two: the test only asks for one or for two or more, so
    // the walk ends at the second. The stones it reached share the answer.
    int libertiesUpToTwo(int start) {
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
        while (top > 0 && libs < 2) {
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

// The points of column x with a stone among their eight surrounding points
// (or on the point itself, which the callers ask about only when it is
// empty).
unsigned nearStones(const StoneColumns& c, int x) {
    const auto i = static_cast<std::size_t>(x);
    const unsigned h = c.held[i - 1] | c.held[i] | c.held[i + 1];
    return (h | (h << 1) | (h >> 1)) & PlayableBits;
}

// Number of points in a column mask.
int pointsIn(unsigned m) {
    m = m - ((m >> 1) & 0x5555u);
    m = (m & 0x3333u) + ((m >> 2) & 0x3333u);
    m = (m + (m >> 4)) & 0x0F0Fu;
    return static_cast<int>((m + (m >> 8)) & 0x1Fu);
}

// The points of `points` (empty, in column x) that stay at once: beside an
// empty point and without a ko mark.
unsigned stayingAtOnce(const StoneColumns& c, int x, unsigned points) {
    return points & besideColumn(c.empty, x) & ~c.koMarks[static_cast<std::size_t>(x)];
}

// The points of `points` in column x that the full test lets stay.
unsigned stayingByTest(LegalityTest& legal, int x, unsigned points) {
    unsigned stays = 0;
    for (unsigned m = points; m != 0; m &= m - 1) {
        const int y = std::countr_zero(m);
        if (legal.Stays(x, y)) stays |= 1u << y;
    }
    return stays;
}

// The listed points where a stone of `colour` stays, and how many.
Columns stayingPoints(const Board& board, int colour, const StoneColumns& c, const Listed& listed, int& count) {
    LegalityTest legal(board, static_cast<std::uint8_t>(colour));
    Columns staying{};
    count = 0;
    for (int x = listed.first; x <= listed.last; ++x) {
        const unsigned points = listed.column(x, colour);
        if (points == 0) continue;
        const unsigned atOnce = stayingAtOnce(c, x, points);
        const unsigned stays = atOnce | stayingByTest(legal, x, points & ~atOnce);
        staying[static_cast<std::size_t>(x)] = static_cast<std::uint16_t>(stays);
        count += pointsIn(stays);
    }
    return staying;
}

// One column's part of the question whether a colour has a candidate:
// true when a point of `points` that stays has a stone around it;
// otherwise the staying points are added to `staying`. With no such point
// in any column, the list is a single staying point, or empty.
bool stayingNearStones(const StoneColumns& c, int x, unsigned points, LegalityTest& legal, int& staying) {
    if (points == 0) return false;
    const unsigned near = nearStones(c, x);
    const unsigned atOnce = stayingAtOnce(c, x, points);
    if (atOnce & near) return true;
    const unsigned stays = atOnce | stayingByTest(legal, x, points & ~atOnce);
    if (stays & near) return true;
    staying += pointsIn(stays);
    return false;
}

// The eight edge points beside the corners, last in listing order first:
// each one found moves ahead of those moved before it.
constexpr std::uint8_t CornerEdges[8][2] = {
    {BoardSide - 1, BoardSide}, {2, BoardSide}, {BoardSide, BoardSide - 1}, {1, BoardSide - 1},
    {BoardSide, 2},             {1, 2},         {BoardSide - 1, 1},         {2, 1},
};

// Writes the points of `keep` into `out` with `flag`: the corner edge points
// first, then the others row by row (Y = 1..13 outer, X = 1..13 inner); only
// the first 50 are kept.
void listInOrder(Columns keep, int first, int last, std::uint8_t flag, CandidateList& out) {
    int n = 0;
    const auto add = [&](int x, int y) {
        out.entry(++n) = CandidateEntry{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), flag};
    };
    for (const auto& p : CornerEdges) {
        std::uint16_t& column = keep[p[0]];
        const auto bit = static_cast<std::uint16_t>(1u << p[1]);
        if (column & bit) {
            add(p[0], p[1]);
            column = static_cast<std::uint16_t>(column & ~bit);
        }
    }
    std::array<std::uint16_t, GridSide> byRow{};
    unsigned rows = 0;
    for (int x = first; x <= last; ++x) {
        for (unsigned m = keep[static_cast<std::size_t>(x)]; m != 0; m &= m - 1) {
            const int y = std::countr_zero(m);
            byRow[static_cast<std::size_t>(y)] = static_cast<std::uint16_t>(byRow[static_cast<std::size_t>(y)] | (1u << x));
            rows |= 1u << y;
        }
    }
    for (; rows != 0 && n < MaxCandidates; rows &= rows - 1) {
        const int y = std::countr_zero(rows);
        for (unsigned m = byRow[static_cast<std::size_t>(y)]; m != 0 && n < MaxCandidates; m &= m - 1) {
            add(std::countr_zero(m), y);
        }
    }
    out.count = static_cast<std::uint8_t>(n);
}

}  // namespace

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

namespace {

// The candidates of `colour` from its listed points.
void generateFrom(const Board& board, int colour, const StoneColumns& columns, const Listed& listed,
                  CandidateList& out) {
    int count = 0;
    Columns keep = stayingPoints(board, colour, columns, listed, count);
    // With two or more points, only those with a stone around them stay,
    // flagged.
    std::uint8_t flag = 0;
    if (count >= 2) {
        for (int x = listed.first; x <= listed.last; ++x) {
            keep[static_cast<std::size_t>(x)] &= static_cast<std::uint16_t>(nearStones(columns, x));
        }
        flag = 1;
    }
    listInOrder(keep, listed.first, listed.last, flag, out);
}

// Whether `colour` has a candidate among its listed points: a staying point
// with a stone around it is kept by the filter; without one, the list is a
// single staying point, or empty.
bool hasFrom(const Board& board, int colour, const StoneColumns& c, const Listed& listed) {
    LegalityTest legal(board, static_cast<std::uint8_t>(colour));
    int staying = 0;
    for (int x = listed.first; x <= listed.last; ++x) {
        if (stayingNearStones(c, x, listed.column(x, colour), legal, staying)) return true;
    }
    return staying == 1;
}

}  // namespace

void GenerateCandidates(Position& pos, int colour, CandidateList& out, StoneColumns& columns) {
    const Listed listed = outsideRegion(pos.board, columns);
    pos.LastX = 0;
    pos.LastY = 0;
    generateFrom(pos.board, colour, columns, listed, out);
}

bool HasCandidates(Position& pos, int colour, StoneColumns& c) {
    pos.LastX = 0;
    pos.LastY = 0;
    int first = 0;
    int last = 0;
    if (!columnSpan(c, first, last)) return false;
    if (marksIn(c, first, last) != 0) {
        // 5s and 7s are cleared first; then the listed points are known
        const Listed listed = outsideRegion(pos.board, c);
        return hasFrom(pos.board, colour, c, listed);
    }

    // Column by column, stopping at the first staying point with a stone
    // around it.
    LegalityTest legal(pos.board, static_cast<std::uint8_t>(colour));
    int staying = 0;
    const bool found = visitListedColumns(c, first, last, [&](int x, const ColumnListing& l) {
        return stayingNearStones(c, x, (colour == Black) ? l.plain | l.reopened : l.plain, legal, staying);
    });
    return found || staying == 1;
}

bool GenerateCandidatesAndAskOther(Position& pos, int colour, CandidateList& out, StoneColumns& columns) {
    const Listed listed = outsideRegion(pos.board, columns);
    pos.LastX = 0;
    pos.LastY = 0;
    const int other = OpponentOf(static_cast<std::uint8_t>(colour));
    generateFrom(pos.board, colour, columns, listed, out);
    return hasFrom(pos.board, other, columns, listed);
}

}  // namespace keldra
