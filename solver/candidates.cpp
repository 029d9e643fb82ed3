#include "solver/candidates.h"

#include <algorithm>

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

// The stone codes of the grid, indexed like Cells (x * GridSide + y). The
// region marks of the listing steps live here rather than on the board.
using Codes = std::array<std::uint8_t, GridPoints>;

std::uint8_t& codeAt(Codes& c, int x, int y) { return c[static_cast<std::size_t>(IndexOf(x, y))]; }
std::uint8_t codeAt(const Codes& c, int x, int y) { return c[static_cast<std::size_t>(IndexOf(x, y))]; }

bool touchesCode(const Codes& c, int x, int y, std::uint8_t code) {
    return codeAt(c, x - 1, y) == code || codeAt(c, x + 1, y) == code || codeAt(c, x, y - 1) == code ||
           codeAt(c, x, y + 1) == code;
}

// The corner (1 top left, 2 top right, 3 bottom right, 4 bottom left) nearest
// the centre of every non-empty point; ties go to the higher corner number.
int nearestCorner(const Codes& c) {
    int count = 0;
    int sumX = 0;
    int sumY = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (codeAt(c, x, y) != Empty) {
                ++count;
                sumX += x;
                sumY += y;
            }
        }
    }
    if (sumX == 0) return 1;
    const int mx = sumX / count;
    const int my = sumY / count;
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

// Marks with 7 the open region seen from the edge away from the corner: each
// column is walked from that edge until the first point that is neither 0
// nor 5. Leftover 5s (behind a stone) become empty.
void markOpenRegion(Codes& c, int corner) {
    const bool fromBottom = (corner == 1 || corner == 2);
    for (int x = 1; x <= BoardSide; ++x) {
        for (int step = 0; step < BoardSide; ++step) {
            std::uint8_t& p = codeAt(c, x, fromBottom ? BoardSide - step : 1 + step);
            if (p != Empty && p != RangeMark) break;
            p = RegionMark;
        }
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (codeAt(c, x, y) == RangeMark) codeAt(c, x, y) = Empty;
        }
    }
}

// Grows the region by exactly one point: empty points beside a 7 are marked
// 5 first, so that they do not pull in their own neighbours, then become 7.
void widenRegion(Codes& c) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (codeAt(c, x, y) == Empty && touchesCode(c, x, y, RegionMark)) codeAt(c, x, y) = RangeMark;
        }
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (codeAt(c, x, y) == RangeMark) codeAt(c, x, y) = RegionMark;
        }
    }
}

// Black attacks from outside: region points beside a white stone open again.
void reopenNextToWhite(Codes& c) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (codeAt(c, x, y) == RegionMark && touchesCode(c, x, y, White)) codeAt(c, x, y) = Empty;
        }
    }
}

// Steps before the legality test: the codes of the board with every 5 and 7
// left empty on the board itself, the region cut away, and the remaining
// empty points listed. `c` ends as the board's codes again (no marks).
void listOutsideRegion(Board& board, int colour, Codes& c, Listing& list) {
    PointRecord* p = Cells(board);
    for (int i = 0; i < GridPoints; ++i) {
        const std::uint8_t s = p[i].Stone;
        c[static_cast<std::size_t>(i)] = s;
        if (s == RangeMark || s == RegionMark) p[i].Stone = Empty;
    }
    markOpenRegion(c, nearestCorner(c));
    widenRegion(c);
    if (colour == Black) reopenNextToWhite(c);
    list.count = 0;
    for (int y = 1; y <= BoardSide; ++y) {
        for (int x = 1; x <= BoardSide; ++x) {
            if (codeAt(c, x, y) == Empty) list.add(x, y);
        }
    }
    for (std::uint8_t& s : c) {
        if (s == RegionMark) s = Empty;
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
        : p_(Cells(board)), colour_(colour), opponent_(OpponentOf(colour)) {}

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

    // Distinct empty neighbours of the group of 1s or 2s through `start`.
    int libertiesOf(int start) {
        const auto s0 = static_cast<std::size_t>(start);
        if (group_[s0] != 0) return liberties_[group_[s0]];
        const std::uint8_t id = ++groups_;
        const std::uint8_t code = p_[start].Stone;
        std::array<std::uint8_t, GridPoints> stack;
        int top = 0;
        int libs = 0;
        stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(start);
        group_[s0] = id;
        while (top > 0) {
            const int i = stack[static_cast<std::size_t>(--top)];
            for (const int d : Neighbour) {
                const auto n = static_cast<std::size_t>(i + d);
                const std::uint8_t s = p_[n].Stone;
                if (s == Empty && libertyOf_[n] != id) {
                    libertyOf_[n] = id;
                    ++libs;
                } else if (s == code && group_[n] == 0) {
                    group_[n] = id;
                    stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(n);
                }
            }
        }
        liberties_[id] = static_cast<std::uint8_t>(libs);
        return libs;
    }

    const PointRecord* p_;
    std::uint8_t colour_;
    std::uint8_t opponent_;
    std::uint8_t groups_ = 0;                            // at most 169 groups
    std::array<std::uint8_t, GridPoints> group_{};       // group id of a stone, 0 before its group is walked
    std::array<std::uint8_t, GridPoints> libertyOf_{};   // id of the last group that counted this empty point
    std::array<std::uint8_t, BoardSide * BoardSide + 1> liberties_{};
};

bool hasStoneAround(const Codes& c, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if ((dx != 0 || dy != 0) && HoldsStone(codeAt(c, x + dx, y + dy))) return true;
        }
    }
    return false;
}

bool isCornerEdgePoint(int x, int y) {
    const int far = BoardSide;
    const int near = BoardSide - 1;
    return (x == 1 && y == 2) || (x == 2 && y == 1) || (x == near && y == 1) || (x == far && y == 2) ||
           (x == far && y == near) || (x == near && y == far) || (x == 1 && y == near) || (x == 2 && y == far);
}

// Keeps the points with a stone among their eight surrounding points (flag
// 1), then moves the eight edge points beside the corners to the front, each
// found one going ahead of those moved before it.
void keepNearStonesCornerEdgesFirst(const Codes& c, Listing& list) {
    for (int i = 0; i < list.count; ++i) {
        CandidateEntry& e = list.at(i);
        e.flag = hasStoneAround(c, e.X, e.Y) ? 1 : 0;
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

void GenerateCandidates(Position& pos, int colour, CandidateList& out) {
    Codes codes;
    Listing list;
    listOutsideRegion(pos.board, colour, codes, list);

    if (list.count > 0) {
        LegalityTest legal(pos.board, static_cast<std::uint8_t>(colour));
        list.filter([&](const CandidateEntry& e) { return legal.Stays(e.X, e.Y); });
        if (list.count >= 2) keepNearStonesCornerEdgesFirst(codes, list);
    }

    pos.LastX = 0;
    pos.LastY = 0;
    out.count = static_cast<std::uint8_t>(std::min(list.count, MaxCandidates));
    std::copy_n(list.e.begin(), out.count, out.entries.begin() + 1);
}

bool HasCandidates(Position& pos, int colour) {
    Codes codes;
    Listing list;
    listOutsideRegion(pos.board, colour, codes, list);
    pos.LastX = 0;
    pos.LastY = 0;

    // A point near a stone that stays is kept by the filter; without one, the
    // list is a single point that stays, or empty.
    LegalityTest legal(pos.board, static_cast<std::uint8_t>(colour));
    int farStaying = 0;
    for (int i = 0; i < list.count; ++i) {
        const CandidateEntry& e = list.at(i);
        if (hasStoneAround(codes, e.X, e.Y)) {
            if (legal.Stays(e.X, e.Y)) return true;
        } else if (farStaying < 2 && legal.Stays(e.X, e.Y)) {
            ++farStaying;
        }
    }
    return farStaying == 1;
}

}  // namespace keldra
