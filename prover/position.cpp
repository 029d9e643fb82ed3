// The prover's position: copy-make moves with the Zobrist hash, and the
// tests that end a game.
#include "prover/position.h"

#include <algorithm>

#include "prover/benson.h"
#include "prover/eye_space.h"

namespace keldra::prover {

namespace {

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
    std::uint64_t unconditional = 0, pass = 0, resolve = 0, mustMove = 0;
    std::array<std::array<std::uint64_t, MostThreats + 1>, 3> threats{};  // by colour, threats left
    Zobrist() {
        std::uint64_t s = 0x6B656C647261ull;
        for (auto& colour : stone)
            for (auto& v : colour) v = splitmix(s);
        for (auto& v : ko) v = splitmix(s);
        for (auto& v : side) v = splitmix(s);
        for (auto& v : master) v = splitmix(s);
        unconditional = splitmix(s);
        pass = splitmix(s);
        resolve = splitmix(s);
        mustMove = splitmix(s);
        // Drawn last: the values above stay what they were before threats
        // were counted.
        for (auto& colour : threats)
            for (auto& v : colour) v = splitmix(s);
    }
};

const Zobrist& Z() {
    static const Zobrist z;
    return z;
}

}  // namespace

SearchNode RootNode(const Board& board, const ProblemSetup& setup, std::uint8_t toMove) {
    SearchNode n;
    n.cell.fill(EdgeCell);
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const auto i = static_cast<std::size_t>(IndexOf(x, y));
            const std::uint8_t c = CellOf(board[x][y].Stone);
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

void GiveThreats(SearchNode& n, const SearchRules& rules) {
    if (!rules.countThreats) return;
    n.threats[Black] = static_cast<std::uint8_t>(std::min<int>(rules.blackThreats, MostThreats));
    n.threats[White] = static_cast<std::uint8_t>(std::min<int>(rules.whiteThreats, MostThreats));
}

std::uint64_t KeyOf(const SearchNode& n, const SearchRules& rules) {
    const Zobrist& z = Z();
    std::uint64_t k = n.stones ^ z.side[n.toMove] ^ z.master[rules.koMaster];
    if (n.koBan != 0 && (n.toMove != rules.koMaster || rules.resolveKo)) k ^= z.ko[n.koBan];
    if (rules.resolveKo) k ^= z.resolve ^ (n.mustMove ? z.mustMove : 0);
    if (rules.unconditional) k ^= z.unconditional ^ (n.lastPass ? z.pass : 0);
    if (rules.countThreats) k ^= z.threats[Black][n.threats[Black]] ^ z.threats[White][n.threats[White]];
    return k ^ rules.salt;
}

bool PlayInto(const SearchNode& from, int move, SearchNode& to, const ProblemSetup& setup,
              const SearchRules& rules, FillScratch& fs, bool atRoot) {
    const std::uint8_t c = from.toMove, o = static_cast<std::uint8_t>(3 - c);
    const auto mi = static_cast<std::size_t>(move);
    if (move == PassMove && from.mustMove) return false;
    // White's retake of a ko at once, which only a ko master may play.
    const bool retake = move != PassMove && rules.resolveKo && c == White && c == rules.koMaster &&
                        (from.koBan == move || (atRoot && setup.rootBan[mi]));
    bool threat = false;
    if (move != PassMove) {
        if (from.cell[mi] != Empty) return false;
        // The board's own ko marks are kos like any other: they bind the
        // side to move unless it is ko master. Where threats are counted, a
        // side with one left retakes at once and uses it.
        if (((atRoot && setup.rootBan[mi]) || from.koBan == move) && c != rules.koMaster) {
            if (!rules.countThreats || from.threats[c] == 0) return false;
            threat = true;
        }
    }
    to = from;
    if (threat) --to.threats[c];
    to.toMove = o;
    to.koBan = 0;
    to.mustMove = 0;
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
        if (to.cell[static_cast<std::size_t>(q)] != o || HasLiberty(to.cell, q, fs)) continue;
        const GroupInfo g = GroupOf(to.cell, q, setup.safe, setup.ring, fs);
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
    if (c == White && captured == 0 && setup.captureOnly[mi]) return false;
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
        own = GroupOf(to.cell, move, setup.safe, setup.ring, fs);
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
    // A stone on an enclosed point is a target stone unless it joins white
    // stones outside the targets (then it is theirs). A target stone that
    // joins other white stones takes them in: the target is the whole group
    // now, counted for its life, and its liberties are within white's reach.
    const bool isTarget = joinsTarget || (setup.enclosed[mi] && !joinsOther);
    to.stones ^= Z().stone[isTarget ? 3 : White][mi];
    if (isTarget) to.setTarget(move, true), ++to.targets;
    if (isTarget && joinsOther) {
        for (int k = 0; k < own.size; ++k) {
            const int p = fs.group[static_cast<std::size_t>(k)];
            if (to.isTarget(p)) continue;
            to.stones ^= Z().stone[White][static_cast<std::size_t>(p)] ^ Z().stone[3][static_cast<std::size_t>(p)];
            to.setTarget(p, true);
            ++to.targets;
        }
    }
    // Escaped: a group holding a target stone reached the ring or a
    // surrounding stone.
    if (isTarget && (own.safe || own.ring)) to.escaped = 1;
    if (retake) {
        // White won the ko: it resolves it with a second move.
        to.toMove = White;
        to.mustMove = 1;
        to.koBan = 0;
    }
    return true;
}

bool LivesByItself(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    // Two eyes need at least six stones; the test only shortens the search.
    return n.toMove == Black && n.targets >= 6 && WhiteUnconditionallyAlive(n, setup, fs);
}

Outcome TerminalOf(const SearchNode& reached, int move, bool previousWasPass, const ProblemSetup& setup,
                   const SearchRules& rules, FillScratch& fs, bool testLife, bool testSpace) {
    if (reached.targets == 0) return Outcome::BlackWins;
    if (reached.escaped) return Outcome::WhiteWins;
    if (testLife && LivesByItself(reached, setup, fs)) return Outcome::WhiteWins;
    if (move == PassMove && previousWasPass) return rules.unconditional ? Outcome::BlackWins : Outcome::WhiteWins;
    if (testSpace && setup.deadEyeSpaces && DeadEyeSpace(reached, setup, fs))
        return Outcome::BlackWins;
    return Outcome::None;
}

namespace {

// White (2) and the edge (3) share a bit that Empty (0) and Black (1) lack.
constexpr std::uint8_t WhiteOrEdge = 2;
static_assert((White & WhiteOrEdge) && (EdgeCell & WhiteOrEdge) && !(Empty & WhiteOrEdge) && !(Black & WhiteOrEdge));

// Whether the empty point at `c` is eye-like: its four neighbours are white
// stones or the edge.
inline bool eyeLike(const std::uint8_t* c) {
    return (c[-GridSide] & c[GridSide] & c[-1] & c[1] & WhiteOrEdge) != 0;
}

// Whether the movable point p counts as an eye-like point, and as a target's
// liberty, in n.
void eyeLikeStatus(const SearchNode& n, int p, bool& eye, bool& liberty) {
    const std::uint8_t* c = n.cell.data() + p;
    if (*c != Empty) {
        eye = liberty = false;
        return;
    }
    eye = eyeLike(c);
    liberty = n.isTarget(p - GridSide) || n.isTarget(p + GridSide) || n.isTarget(p - 1) || n.isTarget(p + 1);
}

}  // namespace

void EyeLikePointsAfter(const SearchNode& parent, const SearchNode& child, int move, const ProblemSetup& setup,
                        int& eyes, int& liberties) {
    // The move's point was empty and holds a stone now; a neighbour keeps
    // its stone or stays empty (nothing was taken), and only an empty one
    // can count.
    const auto update = [&](int p) {
        if (!setup.movable[static_cast<std::size_t>(p)] || parent.cell[static_cast<std::size_t>(p)] != Empty) return;
        bool eye = false, liberty = false;
        eyeLikeStatus(parent, p, eye, liberty);
        eyes -= eye, liberties -= liberty;
        if (p == move) return;
        eyeLikeStatus(child, p, eye, liberty);
        eyes += eye, liberties += liberty;
    };
    update(move);
    for (const int d : Offsets) update(move + d);
}

int EyeLikePoints(const SearchNode& n, const ProblemSetup& setup, int* liberties) {
    const PointMask next = NeighboursOf(n.target);
    int eyes = 0, libs = 0;
    for (int k = 0; k < setup.moveCount; ++k) {
        const int p = setup.moves[static_cast<std::size_t>(k)];
        const std::uint8_t* c = n.cell.data() + p;
        if (*c != Empty) continue;
        eyes += eyeLike(c);
        libs += HasPoint(next, p);
    }
    if (liberties != nullptr) *liberties += libs;
    return eyes;
}

}  // namespace keldra::prover
