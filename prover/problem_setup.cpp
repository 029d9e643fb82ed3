// The problem's set-up in steps: read the stones, split white's stones into
// groups, choose the target among the groups in black's reach (the others
// are the surroundings), set the area and its ring, flood the region,
// split it into the enclosed and the open side, and mark the movable points
// and the safe wall. With the frame of a game's start, the area is the
// frame's and each white group takes the role of its start stones instead.
#include "prover/problem_setup.h"

#include <algorithm>

#include "prover/white_groups.h"

namespace keldra::prover {

namespace {

struct Rect {
    int x0 = 99, x1 = 0, y0 = 99, y1 = 0;
    bool empty() const { return x1 == 0; }
    void add(int p) {
        x0 = std::min(x0, PointX(p)), x1 = std::max(x1, PointX(p));
        y0 = std::min(y0, PointY(p)), y1 = std::max(y1, PointY(p));
    }
};

// True when (x, y) lies on the outermost line of the rectangle x0..x1,
// y0..y1 where that line is not the board's edge.
bool onRing(int x, int y, int x0, int x1, int y0, int y1) {
    return (x == x0 && x0 > 1) || (x == x1 && x1 < BoardSide) || (y == y0 && y0 > 1) || (y == y1 && y1 < BoardSide);
}

// A rectangle's low and high sides, widened by `widen` lines, or carried to
// the board's edge where they stop EdgeReach lines short of it or fewer.
int lowSide(int v, int widen) { return v <= 1 + EdgeReach ? 1 : v - widen; }
int highSide(int v, int widen) { return v >= BoardSide - EdgeReach ? BoardSide : v + widen; }

// A flood over the grid from the points pushed, through the neighbours that
// `inside` bounds and `joins` accepts.
class Flood {
public:
    void push(int p) { stack_[static_cast<std::size_t>(top_++)] = static_cast<std::uint8_t>(p); }
    template <typename Inside, typename Joins>
    void grow(PointFlags& mark, Inside inside, Joins joins) {
        while (top_ > 0) {
            const int p = stack_[static_cast<std::size_t>(--top_)];
            for (const int d : Offsets) {
                const int q = p + d;
                const auto qi = static_cast<std::size_t>(q);
                if (mark[qi] || !inside(q) || !joins(qi)) continue;
                mark[qi] = 1;
                push(q);
            }
        }
    }

private:
    std::array<std::uint8_t, GridPoints> stack_{};
    int top_ = 0;
};

const auto anywhere = [](int) { return true; };

// The stones as grid cells, the rectangles of each colour's stones, and the
// ko marks that bind `toMove` at the root.
Cells readStones(const Board& board, std::uint8_t toMove, Rect& black, Rect& white, PointFlags& rootBan) {
    Cells cell{};
    cell.fill(EdgeCell);
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const int i = IndexOf(x, y);
            const std::uint8_t c = CellOf(board[x][y].Stone);
            cell[static_cast<std::size_t>(i)] = c;
            if (c == Black) black.add(i);
            if (c == White) white.add(i);
            if (board[x][y].KoMark == 1 && board[x][y].KoColour == toMove && c == Empty)
                rootBan[static_cast<std::size_t>(i)] = 1;
        }
    }
    return cell;
}

// White's groups with a stone inside black's bounding rectangle, the
// rectangle carried to the board's edge where it stops at most EdgeReach
// lines short of it (the edge closes that side, as when black stands on the
// third line under a white group on the second): the groups in black's
// reach. `reach` grows by their stones.
PointFlags groupsInReach(const Cells& cell, const WhiteGroups& groups, const Rect& black, Rect& reach) {
    const int tx0 = lowSide(black.x0, 0), tx1 = highSide(black.x1, 0);
    const int ty0 = lowSide(black.y0, 0), ty1 = highSide(black.y1, 0);
    std::array<std::uint8_t, GridPoints> inside{};  // by group number
    for (int x = tx0; x <= tx1; ++x) {
        for (int y = ty0; y <= ty1; ++y) {
            const int label = groups.label[static_cast<std::size_t>(IndexOf(x, y))];
            if (label > 0) inside[static_cast<std::size_t>(label - 1)] = 1;
        }
    }
    PointFlags stones{};
    reach = black;
    for (int i = 0; i < GridPoints; ++i) {
        const int label = groups.label[static_cast<std::size_t>(i)];
        if (cell[static_cast<std::size_t>(i)] != White || label == 0 || !inside[static_cast<std::size_t>(label - 1)]) continue;
        stones[static_cast<std::size_t>(i)] = 1;
        reach.add(i);
    }
    return stones;
}

// The white stones that reach the open board around the stones (one line
// beyond `reach`) without passing next to a black stone or along the first
// line: their groups stand outside black's wall.
PointFlags openBoardStones(const Cells& cell, const Rect& reach) {
    const int ox0 = std::max(1, reach.x0 - 1), ox1 = std::min(BoardSide, reach.x1 + 1);
    const int oy0 = std::max(1, reach.y0 - 1), oy1 = std::min(BoardSide, reach.y1 + 1);
    const auto passable = [&](std::size_t q) {
        const int x = PointX(static_cast<int>(q)), y = PointY(static_cast<int>(q));
        if (x < ox0 || x > ox1 || y < oy0 || y > oy1) return false;
        const std::uint8_t c = cell[q];
        if (c == White) return true;
        // The first line is where a corner group's own liberties run along
        // the edge: a way out does not start there.
        if (c != Empty || x == 1 || x == BoardSide || y == 1 || y == BoardSide) return false;
        for (const int d : Offsets)
            if (cell[static_cast<std::size_t>(static_cast<int>(q) + d)] == Black) return false;
        return true;
    };
    Flood flood;
    PointFlags outside{};
    for (int x = ox0; x <= ox1; ++x) {
        for (int y = oy0; y <= oy1; ++y) {
            const auto i = static_cast<std::size_t>(IndexOf(x, y));
            if (!onRing(x, y, ox0, ox1, oy0, oy1) || !passable(i)) continue;
            outside[i] = 1;
            flood.push(static_cast<int>(i));
        }
    }
    flood.grow(outside, anywhere, passable);
    return outside;
}

// The stones of the groups numbered by `chosen` (by group number).
PointFlags stonesOf(const WhiteGroups& groups, const std::array<std::uint8_t, GridPoints>& chosen) {
    PointFlags stones{};
    for (int i = 0; i < GridPoints; ++i) {
        const int label = groups.label[static_cast<std::size_t>(i)];
        if (label > 0 && chosen[static_cast<std::size_t>(label - 1)]) stones[static_cast<std::size_t>(i)] = 1;
    }
    return stones;
}

// Whether white's group `g` (its label less one) has exactly one liberty.
bool inAtari(const Cells& cell, const WhiteGroups& groups, int g) {
    int liberty = -1;
    for (int i = 0; i < GridPoints; ++i) {
        if (groups.label[static_cast<std::size_t>(i)] != g + 1) continue;
        for (const int d : Offsets) {
            const int q = i + d;
            if (cell[static_cast<std::size_t>(q)] != Empty || q == liberty) continue;
            if (liberty >= 0) return false;
            liberty = q;
        }
    }
    return liberty >= 0;
}

// The target by default: the groups in black's reach that black's stones
// enclose, none of their stones reaching the open board; where every group
// reaches it, the largest one in atari (black can take it at once: the
// problem is about it), else the largest one (the first in X, then Y order
// of a tie).
PointFlags defaultTarget(const Cells& cell, const WhiteGroups& groups, const PointFlags& candidates, const Rect& reach) {
    const PointFlags outside = openBoardStones(cell, reach);
    std::array<std::uint8_t, GridPoints> candidate{}, open{};
    for (int i = 0; i < GridPoints; ++i) {
        if (!candidates[static_cast<std::size_t>(i)]) continue;
        const auto g = static_cast<std::size_t>(groups.label[static_cast<std::size_t>(i)] - 1);
        candidate[g] = 1;
        open[g] |= outside[static_cast<std::size_t>(i)];
    }
    std::array<std::uint8_t, GridPoints> chosen{};
    bool any = false;
    int largest = -1, largestInAtari = -1;
    for (int g = 0; g < groups.count; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        if (!candidate[gi]) continue;
        if (!open[gi]) chosen[gi] = 1, any = true;
        if (largest < 0 || groups.size[gi] > groups.size[static_cast<std::size_t>(largest)]) largest = g;
        if ((largestInAtari < 0 || groups.size[gi] > groups.size[static_cast<std::size_t>(largestInAtari)]) &&
            inAtari(cell, groups, g))
            largestInAtari = g;
    }
    if (!any && largestInAtari >= 0) largest = largestInAtari;
    if (!any && largest >= 0) chosen[static_cast<std::size_t>(largest)] = 1;
    return stonesOf(groups, chosen);
}

// The target the caller names: the group of the white stone at `named`.
PointFlags namedTarget(const WhiteGroups& groups, int named) {
    std::array<std::uint8_t, GridPoints> chosen{};
    chosen[static_cast<std::size_t>(groups.label[static_cast<std::size_t>(named)] - 1)] = 1;
    return stonesOf(groups, chosen);
}

// The ring: the area's outer line where it is not the board's edge.
void markRing(ProblemSetup& s) {
    for (int x = s.x0; x <= s.x1; ++x) {
        for (int y = s.y0; y <= s.y1; ++y) {
            if (onRing(x, y, s.x0, s.x1, s.y0, s.y1)) s.ring[static_cast<std::size_t>(IndexOf(x, y))] = 1;
        }
    }
}

// The area reaches the board's edge where the stones stop EdgeReach lines
// short of it or fewer: a group that crawls towards a near edge has not
// escaped. The ring is its outer line elsewhere.
void setArea(ProblemSetup& s, const Rect& reach, int margin) {
    s.x0 = std::max(1, lowSide(reach.x0, margin)), s.x1 = std::min(BoardSide, highSide(reach.x1, margin));
    s.y0 = std::max(1, lowSide(reach.y0, margin)), s.y1 = std::min(BoardSide, highSide(reach.y1, margin));
    markRing(s);
}

// With a frame: the start's area, `widen` more lines wider; and where the
// fight has spread to its ring since (black stones and the start's target
// stones on it or next to it), the area around them as it would be set up
// from those stones, so that the liberties of a black group the fight
// reaches stay inside.
void frameArea(ProblemSetup& s, const ProblemFrame& frame, const Cells& cell, int widen) {
    s.x0 = std::max(1, frame.x0 - widen), s.x1 = std::min(BoardSide, frame.x1 + widen);
    s.y0 = std::max(1, frame.y0 - widen), s.y1 = std::min(BoardSide, frame.y1 + widen);
    Rect fight;
    for (int i = 0; i < GridPoints; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        const bool stone = cell[ii] == Black || (cell[ii] == White && frame.role[ii] == StoneRole::Target);
        const int x = PointX(i), y = PointY(i);
        if (stone && x >= s.x0 - 1 && x <= s.x1 + 1 && y >= s.y0 - 1 && y <= s.y1 + 1) fight.add(i);
    }
    if (!fight.empty()) {
        ProblemSetup grown;
        setArea(grown, fight, AreaMargin + widen);
        s.x0 = std::min(s.x0, grown.x0), s.x1 = std::max(s.x1, grown.x1);
        s.y0 = std::min(s.y0, grown.y0), s.y1 = std::max(s.y1, grown.y1);
    }
    markRing(s);
}

// The points of the area that a path of empty points and white stones
// inside it joins to the ring.
PointFlags openFromRing(const ProblemSetup& s, const Cells& cell) {
    Flood flood;
    PointFlags open{};
    for (int i = 0; i < GridPoints; ++i) {
        if (s.ring[static_cast<std::size_t>(i)] && cell[static_cast<std::size_t>(i)] != Black) {
            open[static_cast<std::size_t>(i)] = 1;
            flood.push(i);
        }
    }
    flood.grow(open, [&](int q) { return s.inArea(q); }, [&](std::size_t q) { return cell[q] == Empty || cell[q] == White; });
    return open;
}

// The part a group of stones played since the start plays: a target where
// it stands enclosed (no path of empty points and white stones leads from it
// to the ring) in a space that borders a target group or no surrounding
// group, as the search takes a stone played on an enclosed point; a
// surrounding group elsewhere. `roles` holds the other groups' parts by
// group number.
StoneRole newGroupRole(const ProblemSetup& s, const Cells& cell, const WhiteGroups& groups, int label,
                       const std::array<StoneRole, GridPoints>& roles, const PointFlags& open) {
    Flood flood;
    PointFlags space{};
    for (int i = 0; i < GridPoints; ++i) {
        if (groups.label[static_cast<std::size_t>(i)] != label) continue;
        if (!s.inArea(i) || open[static_cast<std::size_t>(i)]) return StoneRole::Surrounding;
        space[static_cast<std::size_t>(i)] = 1;
        flood.push(i);
    }
    flood.grow(space, [&](int q) { return s.inArea(q); },
               [&](std::size_t q) { return cell[q] == Empty || groups.label[q] == label; });
    bool nextToTarget = false, nextToSurrounding = false;
    for (int p = 0; p < GridPoints; ++p) {
        if (!space[static_cast<std::size_t>(p)]) continue;
        for (const int d : Offsets) {
            const int other = groups.label[static_cast<std::size_t>(p + d)];
            if (other == 0 || other == label) continue;
            const StoneRole r = roles[static_cast<std::size_t>(other - 1)];
            nextToTarget |= r == StoneRole::Target;
            nextToSurrounding |= r == StoneRole::Surrounding;
        }
    }
    return nextToTarget || !nextToSurrounding ? StoneRole::Target : StoneRole::Surrounding;
}

// With a frame: each white group plays the part of its stones at the start,
// a target stone before a safe one before a surrounding one; a group of
// stones played since then, newGroupRole's. Marks the surroundings and the
// safe white stones and returns the target, empty when no stone that was a
// target at the start stands (black has captured them). A target group that
// holds a safe stone or stands on the ring has escaped.
PointFlags framedTarget(ProblemSetup& s, const Cells& cell, const WhiteGroups& groups, const ProblemFrame& frame) {
    std::array<StoneRole, GridPoints> roles{};  // by group number
    const auto rank = [](StoneRole r) {
        return r == StoneRole::Target ? 3 : r == StoneRole::Safe ? 2 : r == StoneRole::Surrounding ? 1 : 0;
    };
    std::array<std::uint8_t, GridPoints> heldSafe{};  // by group number
    for (int i = 0; i < GridPoints; ++i) {
        const int label = groups.label[static_cast<std::size_t>(i)];
        if (label == 0) continue;
        const auto g = static_cast<std::size_t>(label - 1);
        const StoneRole r = frame.role[static_cast<std::size_t>(i)];
        if (rank(r) > rank(roles[g])) roles[g] = r;
        heldSafe[g] |= r == StoneRole::Safe;
    }
    PointFlags target{};
    if (std::none_of(roles.begin(), roles.begin() + groups.count, [](StoneRole r) { return r == StoneRole::Target; }))
        return target;
    const PointFlags open = openFromRing(s, cell);
    std::array<StoneRole, GridPoints> played = roles;
    for (int g = 0; g < groups.count; ++g)
        if (roles[static_cast<std::size_t>(g)] == StoneRole::None) played[static_cast<std::size_t>(g)] = newGroupRole(s, cell, groups, g + 1, roles, open);
    for (int i = 0; i < GridPoints; ++i) {
        const int label = groups.label[static_cast<std::size_t>(i)];
        if (label == 0) continue;
        const auto ii = static_cast<std::size_t>(i);
        const auto g = static_cast<std::size_t>(label - 1);
        switch (played[g]) {
            case StoneRole::Target:
                target[ii] = 1;
                if (heldSafe[g] || s.ring[ii]) s.escaped = true;
                break;
            case StoneRole::Safe: s.safe[ii] = 1; break;
            case StoneRole::Surrounding:
            case StoneRole::None: s.surrounding[ii] = 1; break;
        }
    }
    return target;
}

// The region: empty points, target stones and surrounding stones reachable
// inside the area from the target and from the surroundings (black may
// capture a surrounding group, such as cutting stones in its wall).
PointFlags regionOf(const ProblemSetup& s, const Cells& cell, const PointFlags& target) {
    Flood flood;
    PointFlags region{};
    for (int i = 0; i < GridPoints; ++i) {
        if (target[static_cast<std::size_t>(i)] || (s.surrounding[static_cast<std::size_t>(i)] && s.inArea(i))) {
            region[static_cast<std::size_t>(i)] = 1;
            flood.push(i);
        }
    }
    flood.grow(region, [&](int q) { return s.inArea(q); }, [&](std::size_t q) { return cell[q] == Empty || target[q] || s.surrounding[q]; });
    return region;
}

// Enclosed: region points that no path of empty points and white stones
// inside the area joins to the ring; the other region points are the open
// side.
void splitRegion(ProblemSetup& s, const Cells& cell, const PointFlags& region) {
    const PointFlags open = openFromRing(s, cell);
    for (int i = 0; i < GridPoints; ++i) {
        s.enclosed[static_cast<std::size_t>(i)] = region[static_cast<std::size_t>(i)] && !open[static_cast<std::size_t>(i)];
        s.openSide[static_cast<std::size_t>(i)] = region[static_cast<std::size_t>(i)] && open[static_cast<std::size_t>(i)];
        s.hasOpenSide |= s.openSide[static_cast<std::size_t>(i)] != 0;
    }
    // An enclosed space that borders surrounding stones and no target stone
    // is theirs, not the target's: a white stone played there is not a
    // target stone by itself.
    PointFlags seen{};
    for (int i = 0; i < GridPoints; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        if (!s.enclosed[ii] || cell[ii] != Empty || seen[ii]) continue;
        PointFlags space{};
        space[ii] = seen[ii] = 1;
        Flood flood;
        flood.push(i);
        flood.grow(space, anywhere, [&](std::size_t q) { return s.enclosed[q] && cell[q] == Empty; });
        bool nextToTarget = false, nextToSurrounding = false;
        for (int p = 0; p < GridPoints; ++p) {
            if (!space[static_cast<std::size_t>(p)]) continue;
            seen[static_cast<std::size_t>(p)] = 1;
            for (const int d : Offsets) {
                nextToTarget |= s.initialTarget[static_cast<std::size_t>(p + d)] != 0;
                nextToSurrounding |= s.surrounding[static_cast<std::size_t>(p + d)] != 0;
            }
        }
        if (nextToTarget || !nextToSurrounding) continue;
        for (int p = 0; p < GridPoints; ++p)
            if (space[static_cast<std::size_t>(p)]) s.enclosed[static_cast<std::size_t>(p)] = 0;
    }
}

// Black groups touching the region may be captured; other black stones are
// the safe wall. Moves are searched on the region, on the black groups that
// may be captured, and on black's eye points next to such a group: white
// captures through them (a ko stone of black's inside white's eye, or a
// group short of liberties).
void markMovable(ProblemSetup& s, const Cells& cell, const PointFlags& region) {
    FillScratch fs;
    const PointFlags none{};
    PointFlags capturable{};
    // Takes in the black group through i: its stones may be captured and are
    // played on.
    const auto takeIn = [&](int i) {
        const GroupInfo g = GroupOf(cell, i, none, none, fs);
        for (int k = 0; k < g.size; ++k) {
            capturable[fs.group[static_cast<std::size_t>(k)]] = 1;
            s.movable[fs.group[static_cast<std::size_t>(k)]] = 1;
        }
    };
    // A group that may be captured loses every liberty that is played on:
    // black may fill one itself (a self-atari) and white the others. When at
    // most one liberty is left that nobody plays on, white can take that one
    // too, so all its liberties are fought over; and the stone white captures
    // with may be attacked in turn, so the liberties' own empty neighbours
    // are fought over as well: black ataris it there, white extends it there.
    // The points next to those are black's, to fill the liberties of the
    // stones white extended with; white plays there only to capture, as its
    // stones there would count liberties nobody may fill. A group with two
    // liberties that nobody plays on is never captured.
    const auto openFree = [&](int q) {
        const auto qi = static_cast<std::size_t>(q);
        const bool changed = !s.movable[qi] || s.captureOnly[qi];
        s.movable[qi] = 1;
        s.captureOnly[qi] = 0;
        return changed;
    };
    const auto openToBlack = [&](int q) {
        const auto qi = static_cast<std::size_t>(q);
        if (s.movable[qi]) return false;
        s.movable[qi] = s.captureOnly[qi] = 1;
        return true;
    };
    const auto emptyInArea = [&](int q) { return cell[static_cast<std::size_t>(q)] == Empty && s.inArea(q); };
    const auto openLastLiberties = [&](int i) {
        const GroupInfo g = GroupOf(cell, i, none, none, fs);
        PointFlags counted{};
        int closed = 0;
        for (int k = 0; k < g.size; ++k) {
            for (const int d : Offsets) {
                const int q = fs.group[static_cast<std::size_t>(k)] + d;
                const auto qi = static_cast<std::size_t>(q);
                // Outside the area a liberty is never filled either.
                if (cell[qi] == Empty && !s.movable[qi] && !counted[qi]) ++closed, counted[qi] = 1;
            }
        }
        if (closed > 1) return false;
        bool changed = false;
        for (int k = 0; k < g.size; ++k) {
            for (const int d : Offsets) {
                const int q = fs.group[static_cast<std::size_t>(k)] + d;
                if (!emptyInArea(q)) continue;
                changed |= openFree(q);
                for (const int e : Offsets) {
                    if (!emptyInArea(q + e)) continue;
                    changed |= openFree(q + e);
                    for (const int f : Offsets)
                        if (emptyInArea(q + e + f)) changed |= openToBlack(q + e + f);
                }
            }
        }
        return changed;
    };
    for (int i = 0; i < GridPoints; ++i) {
        if (region[static_cast<std::size_t>(i)]) s.movable[static_cast<std::size_t>(i)] = 1;
    }
    for (int i = 0; i < GridPoints; ++i) {
        if (cell[static_cast<std::size_t>(i)] != Black || capturable[static_cast<std::size_t>(i)]) continue;
        bool touches = false;
        for (const int d : Offsets) touches |= region[static_cast<std::size_t>(i + d)] != 0;
        if (touches) takeIn(i);
    }
    // Black's eye points next to a group that may be captured are played on
    // (white captures through them, as when it takes back a black stone in
    // its eye in a ko); a group that may be captured has its last liberties
    // played on; and a black group with a liberty that either side plays on
    // may be captured too, or joined to one that may: black's move there can
    // connect a wall stone to a group in the fight, and that group is then no
    // safer than its liberties. Until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (int x = s.x0; x <= s.x1; ++x) {
            for (int y = s.y0; y <= s.y1; ++y) {
                const int i = IndexOf(x, y);
                if (cell[static_cast<std::size_t>(i)] != Empty || s.movable[static_cast<std::size_t>(i)]) continue;
                bool blackEye = true, nextToCapturable = false;
                for (const int d : Offsets) {
                    const auto qi = static_cast<std::size_t>(i + d);
                    blackEye &= cell[qi] == Black || cell[qi] == EdgeCell;
                    nextToCapturable |= capturable[qi] != 0;
                }
                if (blackEye && nextToCapturable) s.movable[static_cast<std::size_t>(i)] = 1, changed = true;
            }
        }
        for (int i = 0; i < GridPoints; ++i) {
            if (cell[static_cast<std::size_t>(i)] == Black && capturable[static_cast<std::size_t>(i)])
                changed |= openLastLiberties(i);
        }
        for (int i = 0; i < GridPoints; ++i) {
            if (cell[static_cast<std::size_t>(i)] != Black || capturable[static_cast<std::size_t>(i)]) continue;
            bool movableLiberty = false;
            for (const int d : Offsets) {
                const auto qi = static_cast<std::size_t>(i + d);
                movableLiberty |= cell[qi] == Empty && s.movable[qi] != 0;
            }
            if (movableLiberty) takeIn(i), changed = true;
        }
    }
    for (int i = 0; i < GridPoints; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        if (cell[ii] == Black && !capturable[ii]) s.safe[ii] = 1;
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (s.movable[static_cast<std::size_t>(IndexOf(x, y))])
                s.moves[static_cast<std::size_t>(s.moveCount++)] = static_cast<std::uint8_t>(IndexOf(x, y));
        }
    }
}

// The steps that follow the target and the area: the target's first stone,
// the region, its enclosed and open side, the movable points and the safe
// wall. No target stone: nothing to search.
ProblemSetup& withTarget(ProblemSetup& s, const Cells& cell) {
    const PointFlags& target = s.initialTarget;
    const auto first = std::find(target.begin(), target.end(), std::uint8_t{1});
    if (first == target.end()) return s;
    s.targetPoint = static_cast<int>(first - target.begin());
    s.hasTarget = true;
    const PointFlags region = regionOf(s, cell, target);
    splitRegion(s, cell, region);
    markMovable(s, cell, region);
    return s;
}

}  // namespace

ProblemSetup SetupOf(const Board& board, std::uint8_t toMove, int named, int widen, const ProblemFrame* frame) {
    ProblemSetup s;
    Rect black, white;
    const Cells cell = readStones(board, toMove, black, white, s.rootBan);
    if (white.empty()) return s;  // no white stone: nothing to capture
    if (black.empty()) black = white;

    const WhiteGroups groups = WhiteGroupsOf(cell);
    if (frame != nullptr && frame->set) {
        frameArea(s, *frame, cell, std::max(0, widen));
        s.initialTarget = framedTarget(s, cell, groups, *frame);
        return withTarget(s, cell);
    }
    Rect reach;
    const PointFlags candidates = groupsInReach(cell, groups, black, reach);
    const bool byName = named > 0 && named < GridPoints && cell[static_cast<std::size_t>(named)] == White;
    const PointFlags target = byName ? namedTarget(groups, named) : defaultTarget(cell, groups, candidates, reach);
    // The other groups in black's reach are the surroundings black may
    // capture; white stones further out are safe.
    bool any = false;
    reach = black;
    for (int i = 0; i < GridPoints; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        if (target[ii]) {
            any = true;
            reach.add(i);
        } else if (candidates[ii]) {
            s.surrounding[ii] = 1;
        } else if (cell[ii] == White) {
            s.safe[ii] = 1;
        }
    }
    s.initialTarget = target;
    if (!any) return s;
    setArea(s, reach, AreaMargin + std::max(0, widen));
    return withTarget(s, cell);
}

ProblemFrame FrameOfSetup(const ProblemSetup& setup, const Board& board) {
    ProblemFrame frame;
    if (!setup.hasTarget) return frame;
    frame.set = true;
    frame.x0 = setup.x0, frame.x1 = setup.x1, frame.y0 = setup.y0, frame.y1 = setup.y1;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (CellOf(board[x][y].Stone) != White) continue;
            const auto i = static_cast<std::size_t>(IndexOf(x, y));
            frame.role[i] = setup.initialTarget[i] ? StoneRole::Target
                            : setup.surrounding[i] ? StoneRole::Surrounding
                                                   : StoneRole::Safe;
        }
    }
    return frame;
}

}  // namespace keldra::prover
