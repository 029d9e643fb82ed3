#include "solver/candidates.h"

#include "solver/search_support.h"

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

bool touchesCode(const Board& b, int x, int y, std::uint8_t code) {
    return b[x - 1][y].Stone == code || b[x + 1][y].Stone == code || b[x][y - 1].Stone == code ||
           b[x][y + 1].Stone == code;
}

// The corner (1 top left, 2 top right, 3 bottom right, 4 bottom left) nearest
// the centre of every non-empty point; ties go to the higher corner number.
int nearestCorner(const Board& b) {
    int count = 0;
    int sumX = 0;
    int sumY = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].Stone != Empty) {
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
void markOpenRegion(Board& b, int corner) {
    const bool fromBottom = (corner == 1 || corner == 2);
    for (int x = 1; x <= BoardSide; ++x) {
        for (int step = 0; step < BoardSide; ++step) {
            const int y = fromBottom ? BoardSide - step : 1 + step;
            PointRecord& p = b[x][y];
            if (p.Stone != Empty && p.Stone != RangeMark) break;
            p.Stone = RegionMark;
        }
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].Stone == RangeMark) b[x][y].Stone = Empty;
        }
    }
}

void listEmptyPoints(const Board& b, Listing& list) {
    list.count = 0;
    for (int y = 1; y <= BoardSide; ++y) {
        for (int x = 1; x <= BoardSide; ++x) {
            if (b[x][y].Stone == Empty) list.add(x, y);
        }
    }
}

// Grows the region by exactly one point: empty points beside a 7 are marked
// 5 first, so that they do not pull in their own neighbours, then become 7.
void widenRegion(Board& b, Listing& list) {
    listEmptyPoints(b, list);
    for (int i = 0; i < list.count; ++i) {
        const CandidateEntry& c = list.at(i);
        if (touchesCode(b, c.X, c.Y, RegionMark)) b[c.X][c.Y].Stone = RangeMark;
    }
    for (int i = 0; i < list.count; ++i) {
        const CandidateEntry& c = list.at(i);
        if (b[c.X][c.Y].Stone == RangeMark) b[c.X][c.Y].Stone = RegionMark;
    }
}

// Black attacks from outside: region points beside a white stone open again.
void reopenNextToWhite(Board& b) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].Stone == RegionMark && touchesCode(b, x, y, White)) b[x][y].Stone = Empty;
        }
    }
}

void clearRegion(Board& b) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].Stone == RegionMark) b[x][y].Stone = Empty;
        }
    }
}

// Drops the points where a stone of `colour` cannot stay (self-capture, ko
// ban), each tried with a real placement on the board and taken back by
// restoring all 169 points.
void dropIllegal(Position& pos, std::uint8_t colour, Listing& list) {
    PlayablePoints saved;
    SavePlayable(pos.board, saved);
    for (int i = 0; i < list.count; ++i) {
        CandidateEntry& c = list.at(i);
        PlaceStone(pos, c.X, c.Y, colour);
        c.flag = 0;
        // flag 2 marks a dropped entry until the filter below
        if (pos.board[c.X][c.Y].Stone == Empty) c.flag = 2;
        RestorePlayable(pos.board, saved);
    }
    list.filter([](const CandidateEntry& c) { return c.flag != 2; });
}

bool hasStoneAround(const Board& b, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if ((dx != 0 || dy != 0) && HoldsStone(b[x + dx][y + dy].Stone)) return true;
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
void keepNearStonesCornerEdgesFirst(const Board& b, Listing& list) {
    for (int i = 0; i < list.count; ++i) {
        CandidateEntry& c = list.at(i);
        c.flag = hasStoneAround(b, c.X, c.Y) ? 1 : 0;
    }
    list.filter([](const CandidateEntry& c) { return c.flag == 1; });
    for (int i = 0; i < list.count; ++i) {
        const CandidateEntry c = list.at(i);
        if (!isCornerEdgePoint(c.X, c.Y)) continue;
        for (int k = i; k > 0; --k) list.at(k) = list.at(k - 1);
        list.at(0) = c;
    }
}

}  // namespace

void GenerateCandidates(Position& pos, int colour, CandidateList& out) {
    Board& b = pos.board;
    Listing list;

    markOpenRegion(b, nearestCorner(b));
    widenRegion(b, list);
    if (colour == Black) reopenNextToWhite(b);
    listEmptyPoints(b, list);
    clearRegion(b);

    if (list.count > 0) {
        dropIllegal(pos, static_cast<std::uint8_t>(colour), list);
        if (list.count >= 2) keepNearStonesCornerEdgesFirst(b, list);
    }

    pos.LastX = 0;
    pos.LastY = 0;
    out.count = static_cast<std::uint8_t>(std::min(list.count, MaxCandidates));
    std::copy_n(list.e.begin(), out.count, out.entries.begin() + 1);
}

}  // namespace keldra
