// The prover's position: set-up from a board, copy-make moves, terminal tests.
#include "prover/search_position.h"

#include <algorithm>

namespace keldra::prover {

namespace {

constexpr int Offsets[4] = {-GridSide, GridSide, -1, 1};  // left, right, above, below

std::uint64_t splitmix(std::uint64_t& s) {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct Zobrist {
    std::array<std::array<std::uint64_t, GridPoints>, 4> stone{};  // 3: a white target stone
    std::array<std::uint64_t, GridPoints> ko{};
    std::array<std::uint64_t, 3> side{};
    std::array<std::uint64_t, 3> master{};
    std::uint64_t unconditional = 0, pass = 0;
    Zobrist() {
        std::uint64_t s = 0x6B656C647261ull;
        for (auto& colour : stone)
            for (auto& v : colour) v = splitmix(s);
        for (auto& v : ko) v = splitmix(s);
        for (auto& v : side) v = splitmix(s);
        for (auto& v : master) v = splitmix(s);
        unconditional = splitmix(s);
        pass = splitmix(s);
    }
};

const Zobrist& Z() {
    static const Zobrist z;
    return z;
}

std::uint8_t cellOf(std::uint8_t code) {
    return code == Empty ? Empty : code == Black ? Black : code == White ? White : EdgeCell;
}

void nextStamp(FillScratch& fs) {
    if (fs.now > 0xFFFFFF00u) {
        fs.stamp.fill(0);
        fs.now = 0;
    }
    fs.now += 2;  // now: in the group, now + 1: counted as a liberty
}

struct GroupInfo {
    int size = 0;
    int liberties = 0;
    bool safe = false;
    bool ring = false;
};

// Fills the group through `start` into fs.group and counts its liberties.
GroupInfo fillGroup(const std::array<std::uint8_t, GridPoints>& cell, int start, const ProblemSetup& setup,
                    FillScratch& fs) {
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
        g.safe |= setup.safe[static_cast<std::size_t>(p)] != 0;
        g.ring |= setup.ring[static_cast<std::size_t>(p)] != 0;
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

// True when the group through `start` has a liberty; stops at the first.
bool hasLiberty(const std::array<std::uint8_t, GridPoints>& cell, int start, FillScratch& fs) {
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

// True when (x, y) lies on the outermost line of the rectangle x0..x1,
// y0..y1 where that line is not the board's edge.
bool onRing(int x, int y, int x0, int x1, int y0, int y1) {
    return (x == x0 && x0 > 1) || (x == x1 && x1 < BoardSide) || (y == y0 && y0 > 1) || (y == y1 && y1 < BoardSide);
}

// A rectangle's low and high sides, widened by `widen` lines, or carried to
// the board's edge where they stop EdgeReach lines short of it or fewer.
int lowSide(int v, int widen) { return v <= 1 + EdgeReach ? 1 : v - widen; }
int highSide(int v, int widen) { return v >= BoardSide - EdgeReach ? BoardSide : v + widen; }

}  // namespace

ProblemSetup SetupOf(const Board& board, std::uint8_t toMove) {
    ProblemSetup s;
    std::array<std::uint8_t, GridPoints> cell{};
    cell.fill(EdgeCell);
    int bx0 = 99, bx1 = 0, by0 = 99, by1 = 0;
    int wx0 = 99, wx1 = 0, wy0 = 99, wy1 = 0;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const std::uint8_t c = cellOf(board[x][y].Stone);
            cell[static_cast<std::size_t>(IndexOf(x, y))] = c;
            if (c == Black) bx0 = std::min(bx0, x), bx1 = std::max(bx1, x), by0 = std::min(by0, y), by1 = std::max(by1, y);
            if (c == White) wx0 = std::min(wx0, x), wx1 = std::max(wx1, x), wy0 = std::min(wy0, y), wy1 = std::max(wy1, y);
            if (board[x][y].KoMark == 1 && board[x][y].KoColour == toMove && c == Empty)
                s.rootBan[static_cast<std::size_t>(IndexOf(x, y))] = 1;
        }
    }
    if (wx1 == 0) return s;  // no white stone: nothing to capture
    if (bx1 == 0) bx0 = wx0, bx1 = wx1, by0 = wy0, by1 = wy1;

    // Target: white groups with a stone inside black's bounding rectangle,
    // the rectangle carried to the board's edge where it stops at most
    // EdgeReach lines short of it (the edge closes that side, as when black
    // stands on the third line under a white group on the second). Every
    // other white stone belongs to the surroundings and is safe.
    const int tx0 = lowSide(bx0, 0), tx1 = highSide(bx1, 0);
    const int ty0 = lowSide(by0, 0), ty1 = highSide(by1, 0);
    FillScratch fs;
    std::array<std::uint8_t, GridPoints> target{};
    int ax0 = bx0, ax1 = bx1, ay0 = by0, ay1 = by1;
    for (int x = tx0; x <= tx1; ++x) {
        for (int y = ty0; y <= ty1; ++y) {
            const int i = IndexOf(x, y);
            if (cell[static_cast<std::size_t>(i)] != White || target[static_cast<std::size_t>(i)]) continue;
            const GroupInfo g = fillGroup(cell, i, s, fs);
            for (int k = 0; k < g.size; ++k) {
                const int p = fs.group[static_cast<std::size_t>(k)];
                target[static_cast<std::size_t>(p)] = 1;
                ax0 = std::min(ax0, PointX(p)), ax1 = std::max(ax1, PointX(p));
                ay0 = std::min(ay0, PointY(p)), ay1 = std::max(ay1, PointY(p));
            }
        }
    }
    int top = 0;
    std::array<std::uint8_t, GridPoints> stack{};
    // Grows `mark` from the points on the stack through the neighbours inside
    // the area (the whole board until the area is set) that `joins` accepts.
    const auto flood = [&](std::array<std::uint8_t, GridPoints>& mark, auto joins) {
        while (top > 0) {
            const int p = stack[static_cast<std::size_t>(--top)];
            for (const int d : Offsets) {
                const int q = p + d;
                const auto qi = static_cast<std::size_t>(q);
                if (mark[qi] || !s.inArea(q) || !joins(qi)) continue;
                mark[qi] = 1;
                stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
            }
        }
    };

    // A white group that reaches the open board around the stones without
    // passing next to a black stone or along the first line stands outside
    // black's wall, even when black's rectangle holds it: it belongs to the
    // surroundings too, unless that would leave no target at all.
    {
        const int ox0 = std::max(1, ax0 - 1), ox1 = std::min(BoardSide, ax1 + 1);
        const int oy0 = std::max(1, ay0 - 1), oy1 = std::min(BoardSide, ay1 + 1);
        const auto passable = [&](std::size_t q) {
            const int x = PointX(static_cast<int>(q)), y = PointY(static_cast<int>(q));
            if (x < ox0 || x > ox1 || y < oy0 || y > oy1) return false;
            const std::uint8_t c = cell[q];
            if (c == White) return true;
            // The first line is where a corner group's own liberties run
            // along the edge: a way out does not start there.
            if (c != Empty || x == 1 || x == BoardSide || y == 1 || y == BoardSide) return false;
            for (const int d : Offsets)
                if (cell[static_cast<std::size_t>(static_cast<int>(q) + d)] == Black) return false;
            return true;
        };
        std::array<std::uint8_t, GridPoints> outside{};
        for (int x = ox0; x <= ox1; ++x) {
            for (int y = oy0; y <= oy1; ++y) {
                const auto i = static_cast<std::size_t>(IndexOf(x, y));
                if (!onRing(x, y, ox0, ox1, oy0, oy1) || !passable(i)) continue;
                outside[i] = 1;
                stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
            }
        }
        flood(outside, passable);
        bool inner = false, outer = false;
        for (int i = 0; i < GridPoints; ++i) {
            if (!target[static_cast<std::size_t>(i)]) continue;
            (outside[static_cast<std::size_t>(i)] ? outer : inner) = true;
        }
        if (inner && outer) {
            ax0 = bx0, ax1 = bx1, ay0 = by0, ay1 = by1;
            for (int i = 0; i < GridPoints; ++i) {
                if (!target[static_cast<std::size_t>(i)]) continue;
                if (outside[static_cast<std::size_t>(i)]) {
                    target[static_cast<std::size_t>(i)] = 0;
                    continue;
                }
                ax0 = std::min(ax0, PointX(i)), ax1 = std::max(ax1, PointX(i));
                ay0 = std::min(ay0, PointY(i)), ay1 = std::max(ay1, PointY(i));
            }
        }
    }
    bool any = false;
    for (int i = 0; i < GridPoints; ++i) {
        if (cell[static_cast<std::size_t>(i)] == White && !target[static_cast<std::size_t>(i)]) s.safe[static_cast<std::size_t>(i)] = 1;
        any |= target[static_cast<std::size_t>(i)] != 0;
    }
    s.initialTarget = target;
    if (!any) return s;
    s.hasTarget = true;
    // The area reaches the board's edge where the stones stop EdgeReach
    // lines short of it or fewer: a group that crawls towards a near edge
    // has not escaped.
    s.x0 = lowSide(ax0, AreaMargin), s.x1 = highSide(ax1, AreaMargin);
    s.y0 = lowSide(ay0, AreaMargin), s.y1 = highSide(ay1, AreaMargin);
    for (int x = s.x0; x <= s.x1; ++x) {
        for (int y = s.y0; y <= s.y1; ++y) {
            if (onRing(x, y, s.x0, s.x1, s.y0, s.y1)) s.ring[static_cast<std::size_t>(IndexOf(x, y))] = 1;
        }
    }

    // The region: empty points and target stones reachable from the target
    // inside the area. Black groups touching it may be captured; other black
    // stones are the safe wall.
    std::array<std::uint8_t, GridPoints> region{};
    for (int i = 0; i < GridPoints; ++i) {
        if (target[static_cast<std::size_t>(i)]) {
            region[static_cast<std::size_t>(i)] = 1;
            stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
        }
    }
    flood(region, [&](std::size_t q) { return cell[q] == Empty || target[q]; });
    // Enclosed: region points that no path of empty points and white stones
    // inside the area joins to the ring.
    std::array<std::uint8_t, GridPoints> open{};
    for (int i = 0; i < GridPoints; ++i) {
        if (s.ring[static_cast<std::size_t>(i)] && cell[static_cast<std::size_t>(i)] != Black) {
            open[static_cast<std::size_t>(i)] = 1;
            stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
        }
    }
    flood(open, [&](std::size_t q) { return cell[q] == Empty || cell[q] == White; });
    for (int i = 0; i < GridPoints; ++i) {
        s.enclosed[static_cast<std::size_t>(i)] = region[static_cast<std::size_t>(i)] && !open[static_cast<std::size_t>(i)];
        s.openSide[static_cast<std::size_t>(i)] = region[static_cast<std::size_t>(i)] && open[static_cast<std::size_t>(i)];
        s.hasOpenSide |= s.openSide[static_cast<std::size_t>(i)] != 0;
    }

    std::array<std::uint8_t, GridPoints> capturable{};
    for (int i = 0; i < GridPoints; ++i) {
        if (cell[static_cast<std::size_t>(i)] != Black || capturable[static_cast<std::size_t>(i)]) continue;
        bool touches = false;
        for (const int d : Offsets) touches |= region[static_cast<std::size_t>(i + d)] != 0;
        if (!touches) continue;
        const GroupInfo g = fillGroup(cell, i, s, fs);
        for (int k = 0; k < g.size; ++k) capturable[fs.group[static_cast<std::size_t>(k)]] = 1;
    }
    for (int i = 0; i < GridPoints; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        if (cell[ii] == Black && !capturable[ii]) s.safe[ii] = 1;
        if (region[ii] || capturable[ii]) s.movable[ii] = 1;
    }
    // Black's eye points next to a group that may be captured: white
    // captures through them (a ko stone of black's inside white's eye, or a
    // group short of liberties), so they are searched too.
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
            if (blackEye && nextToCapturable) s.movable[static_cast<std::size_t>(i)] = 1;
        }
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (s.movable[static_cast<std::size_t>(IndexOf(x, y))])
                s.moves[static_cast<std::size_t>(s.moveCount++)] = static_cast<std::uint8_t>(IndexOf(x, y));
        }
    }
    return s;
}

SearchNode RootNode(const Board& board, const ProblemSetup& setup, std::uint8_t toMove) {
    SearchNode n;
    n.cell.fill(EdgeCell);
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const auto i = static_cast<std::size_t>(IndexOf(x, y));
            const std::uint8_t c = cellOf(board[x][y].Stone);
            n.cell[i] = c;
            const bool isTarget = setup.initialTarget[i] != 0;
            if (c == Black || c == White) n.stones ^= Z().stone[isTarget ? 3 : c][i];
            n.blackStones += c == Black;
            n.whiteStones += c == White;
            if (isTarget) ++n.targets, n.setTarget(static_cast<int>(i), true);
        }
    }
    n.toMove = toMove;
    return n;
}

namespace {

// The liberties of the black groups that may be captured and have at most
// two liberties: where either side fights for a wall group in danger.
PointMask ShortLiberties(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    PointMask libs{}, seen{};
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(i)] != Black || setup.safe[static_cast<std::size_t>(i)] || HasPoint(seen, i)) continue;
            const GroupInfo g = fillGroup(n.cell, i, setup, fs);
            for (int k = 0; k < g.size; ++k) {
                const int p = fs.group[static_cast<std::size_t>(k)];
                AddPoint(seen, p);
                if (g.liberties > 2) continue;
                for (const int d : Offsets) {
                    const int q = p + d;
                    if (n.cell[static_cast<std::size_t>(q)] == Empty) AddPoint(libs, q);
                }
            }
        }
    }
    return libs;
}

}  // namespace

PointMask ReachOf(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    PointMask reach = ShortLiberties(n, setup, fs);
    const auto addAround = [&](int p) {
        for (const int d : Offsets) AddPoint(reach, p + d);
    };
    // The area and the line around it: black reaches next to any white
    // stone, surrounding ones included.
    const int x0 = std::max(1, setup.x0 - 1), x1 = std::min(BoardSide, setup.x1 + 1);
    const int y0 = std::max(1, setup.y0 - 1), y1 = std::min(BoardSide, setup.y1 + 1);
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            const int p = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(p)] != White) continue;
            const bool target = n.isTarget(p);
            if (target || n.toMove == Black) addAround(p);
            if (!target) continue;
            for (const int d : Offsets)
                if (n.cell[static_cast<std::size_t>(p + d)] == Empty) addAround(p + d);
        }
    }
    return reach;
}

std::uint64_t KeyOf(const SearchNode& n, const SearchRules& rules) {
    const Zobrist& z = Z();
    std::uint64_t k = n.stones ^ z.side[n.toMove] ^ z.master[rules.koMaster];
    if (n.koBan != 0 && n.toMove != rules.koMaster) k ^= z.ko[n.koBan];
    if (rules.unconditional) k ^= z.unconditional ^ (n.lastPass ? z.pass : 0);
    return k ^ rules.salt;
}

bool PlayInto(const SearchNode& from, int move, SearchNode& to, const ProblemSetup& setup,
              const SearchRules& rules, FillScratch& fs, bool atRoot) {
    const std::uint8_t c = from.toMove, o = static_cast<std::uint8_t>(3 - c);
    const auto mi = static_cast<std::size_t>(move);
    if (move != PassMove) {
        if (from.cell[mi] != Empty) return false;
        if (atRoot && setup.rootBan[mi]) return false;
        if (from.koBan == move && c != rules.koMaster) return false;
    }
    to = from;
    to.toMove = o;
    to.koBan = 0;
    if (move == PassMove) {
        to.lastPass = 1;
        return true;
    }
    to.lastPass = 0;
    to.captured = 0;
    to.cell[mi] = c;
    int captured = 0, capturedAt = 0;
    for (const int d : Offsets) {
        const int q = move + d;
        if (to.cell[static_cast<std::size_t>(q)] != o || hasLiberty(to.cell, q, fs)) continue;
        const GroupInfo g = fillGroup(to.cell, q, setup, fs);
        if (g.safe) continue;
        for (int k = 0; k < g.size; ++k) {
            const std::size_t p = fs.group[static_cast<std::size_t>(k)];
            to.cell[p] = Empty;
            const bool wasTarget = to.isTarget(static_cast<int>(p));
            to.stones ^= Z().stone[wasTarget ? 3 : o][p];
            if (wasTarget) to.setTarget(static_cast<int>(p), false), --to.targets;
        }
        captured += g.size;
        capturedAt = q;
    }
    // The stone's own group. Its neighbours answer alone unless the stone
    // joins a group without an empty point beside it (the group's other
    // liberties decide whether the move takes its own last one), or, for
    // white, a stone outside the targets (whose group may hold target
    // stones, or surrounding ones, further on).
    int emptyNext = 0, friends = 0, targetsNext = 0;
    bool joinsOther = false;
    for (const int d : Offsets) {
        const auto qi = static_cast<std::size_t>(move + d);
        emptyNext += to.cell[qi] == Empty;
        if (to.cell[qi] != c) continue;
        ++friends;
        if (to.isTarget(move + d)) ++targetsNext;
        else joinsOther = true;
    }
    GroupInfo own;
    bool joinsTarget = targetsNext > 0;
    if ((friends > 0 && emptyNext == 0) || (c == White && joinsOther)) {
        own = fillGroup(to.cell, move, setup, fs);
        joinsTarget = false;
        for (int k = 0; k < own.size && !joinsTarget; ++k) joinsTarget = to.isTarget(fs.group[static_cast<std::size_t>(k)]);
    } else {
        // Target groups hold no ring or surrounding stone: such a group has
        // escaped, and the search ended there.
        own.size = 1 + friends;
        own.liberties = emptyNext;
        own.safe = setup.safe[mi] != 0;
        own.ring = setup.ring[mi] != 0;
    }
    if (own.liberties == 0) return false;
    to.captured = static_cast<std::uint8_t>(std::min(captured, 255));
    if (captured == 1 && own.size == 1 && own.liberties == 1) to.koBan = static_cast<std::uint8_t>(capturedAt);
    if (c == Black) {
        ++to.blackStones;
        to.whiteStones = static_cast<std::uint8_t>(to.whiteStones - captured);
        to.stones ^= Z().stone[Black][mi];
        return true;
    }
    ++to.whiteStones;
    to.blackStones = static_cast<std::uint8_t>(to.blackStones - captured);
    const bool isTarget = joinsTarget || setup.enclosed[mi];
    to.stones ^= Z().stone[isTarget ? 3 : White][mi];
    if (isTarget) to.setTarget(move, true), ++to.targets;
    // Escaped: a group holding a target stone reached the ring or a
    // surrounding stone.
    if (isTarget && (own.safe || own.ring)) to.escaped = 1;
    return true;
}

bool LivesByItself(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    // Two eyes need at least six stones; the test only shortens the search.
    return n.toMove == Black && n.targets >= 6 && WhiteUnconditionallyAlive(n, setup, fs);
}

Outcome TerminalOf(const SearchNode& reached, int move, bool previousWasPass, const ProblemSetup& setup,
                   const SearchRules& rules, FillScratch& fs, bool testLife) {
    if (reached.targets == 0) return Outcome::BlackWins;
    if (reached.escaped) return Outcome::WhiteWins;
    if (testLife && LivesByItself(reached, setup, fs)) return Outcome::WhiteWins;
    if (move == PassMove && previousWasPass) return rules.unconditional ? Outcome::BlackWins : Outcome::WhiteWins;
    return Outcome::None;
}

bool WhiteUnconditionallyAlive(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    constexpr int MaxSets = 64;
    std::array<std::uint8_t, GridPoints> label{};  // chain or region number + 1
    std::array<std::uint64_t, MaxSets> border{}, healthy{};
    std::array<std::uint8_t, MaxSets> chainSafe{};
    int chains = 0, regions = 0;
    std::uint64_t safeMask = 0, targetMask = 0;

    // Chains: white stones of the area, flooded inside it.
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(i)] != White || label[static_cast<std::size_t>(i)]) continue;
            if (chains == MaxSets) return false;
            const int id = chains++;
            int top = 0;
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
            label[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(id + 1);
            while (top > 0) {
                const int p = fs.stack[static_cast<std::size_t>(--top)];
                if (setup.safe[static_cast<std::size_t>(p)]) chainSafe[static_cast<std::size_t>(id)] = 1;
                if (n.isTarget(p)) targetMask |= std::uint64_t{1} << id;
                for (const int d : Offsets) {
                    const int q = p + d;
                    const auto qi = static_cast<std::size_t>(q);
                    if (n.cell[qi] != White || label[qi]) continue;
                    if (!setup.inArea(q)) {
                        chainSafe[static_cast<std::size_t>(id)] = 1;
                        continue;
                    }
                    label[qi] = static_cast<std::uint8_t>(id + 1);
                    fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                }
            }
            if (chainSafe[static_cast<std::size_t>(id)]) safeMask |= std::uint64_t{1} << id;
        }
    }
    if (chains == 0) return false;

    // Regions: connected non-white points of the area. A region that leaves
    // the area, or holds no empty point, is vital to no chain.
    std::array<std::uint8_t, GridPoints> regionOf{};
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            const std::uint8_t c = n.cell[static_cast<std::size_t>(i)];
            if ((c != Empty && c != Black) || regionOf[static_cast<std::size_t>(i)]) continue;
            if (regions == MaxSets) return false;
            const int id = regions++;
            std::uint64_t adjacent = 0, all = ~std::uint64_t{0};
            bool open = false, anyEmpty = false;
            int top = 0;
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
            regionOf[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(id + 1);
            while (top > 0) {
                const int p = fs.stack[static_cast<std::size_t>(--top)];
                const bool empty = n.cell[static_cast<std::size_t>(p)] == Empty;
                std::uint64_t touching = 0;
                for (const int d : Offsets) {
                    const int q = p + d;
                    const auto qi = static_cast<std::size_t>(q);
                    const std::uint8_t qc = n.cell[qi];
                    if (qc == EdgeCell) continue;
                    if (qc == White) {
                        if (label[qi]) touching |= std::uint64_t{1} << (label[qi] - 1);
                        continue;
                    }
                    if (!setup.inArea(q)) {
                        open = true;
                        continue;
                    }
                    if (!regionOf[qi]) {
                        regionOf[qi] = static_cast<std::uint8_t>(id + 1);
                        fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                    }
                }
                adjacent |= touching;
                if (empty) {
                    anyEmpty = true;
                    all &= touching;
                }
            }
            border[static_cast<std::size_t>(id)] = adjacent;
            healthy[static_cast<std::size_t>(id)] = (open || !anyEmpty) ? 0 : all;
        }
    }

    std::uint64_t alive = chains == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << chains) - 1;
    for (bool changed = true; changed;) {
        changed = false;
        for (int k = 0; k < chains; ++k) {
            const std::uint64_t bit = std::uint64_t{1} << k;
            if (!(alive & bit) || (safeMask & bit)) continue;
            int vital = 0;
            for (int r = 0; r < regions && vital < 2; ++r) {
                if ((healthy[static_cast<std::size_t>(r)] & bit) && (border[static_cast<std::size_t>(r)] & ~alive) == 0) ++vital;
            }
            if (vital < 2) {
                alive &= ~bit;
                changed = true;
            }
        }
    }
    return (alive & ~safeMask & targetMask) != 0;
}

namespace {

// Whether the movable point p counts as an eye-like point, and as a target's
// liberty, in n.
void eyeLikeStatus(const SearchNode& n, int p, bool& eye, bool& liberty) {
    eye = liberty = false;
    if (n.cell[static_cast<std::size_t>(p)] != Empty) return;
    eye = true;
    for (const int d : Offsets) {
        const std::uint8_t c = n.cell[static_cast<std::size_t>(p + d)];
        eye &= (c == White || c == EdgeCell);
        liberty |= n.isTarget(p + d);
    }
}

}  // namespace

void EyeLikePointsAfter(const SearchNode& parent, const SearchNode& child, int move, const ProblemSetup& setup,
                        int& eyes, int& liberties) {
    const auto update = [&](int p) {
        if (!setup.movable[static_cast<std::size_t>(p)]) return;
        bool eye = false, liberty = false;
        eyeLikeStatus(parent, p, eye, liberty);
        eyes -= eye, liberties -= liberty;
        eyeLikeStatus(child, p, eye, liberty);
        eyes += eye, liberties += liberty;
    };
    update(move);
    for (const int d : Offsets) update(move + d);
}

int EyeLikePoints(const SearchNode& n, const ProblemSetup& setup, int* liberties) {
    int eyes = 0;
    for (int k = 0; k < setup.moveCount; ++k) {
        bool eye = false, liberty = false;
        eyeLikeStatus(n, setup.moves[static_cast<std::size_t>(k)], eye, liberty);
        eyes += eye;
        if (liberties != nullptr) *liberties += liberty;
    }
    return eyes;
}

}  // namespace keldra::prover
