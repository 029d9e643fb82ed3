// Dead eye spaces, recognised from the shape of the space and the safety of
// the black stones around it.
#include "prover/eye_space.h"

#include <bit>

namespace keldra::prover {

namespace {

// The first point of a mask, or -1 when it is empty.
int firstPoint(const PointMask& m) {
    for (std::size_t w = 0; w < m.size(); ++w)
        if (m[w] != 0) return static_cast<int>(w * 64 + static_cast<std::size_t>(std::countr_zero(m[w])));
    return -1;
}

// Whether a connected space of `size` points, with `degree[k]` neighbours
// inside the space for its k-th point, holds no two eyes with `toMove` to
// play. Black to move kills every space of three points or fewer by its
// middle point, and the square four, the pyramid four (one point touching
// the other three), the bulky five (a square and one more: five
// neighbourings) and the crossed five (one point touching four) on their
// vital point. With white to move only two points or fewer, and the square
// four (whichever point white takes leaves a bent three), are dead; and
// every one of those shapes where a black stone stands on the vital point
// (`stone`, the index of a lone black stone inside the space, -1 for none):
// on the middle of three points, on any point of two or of the square, on
// the point touching three of the pyramid four or the bulky five, four of
// the crossed five.
bool deadShape(int size, const int* degree, std::uint8_t toMove, int stone) {
    int degreeSum = 0, most = 0;
    for (int k = 0; k < size; ++k) degreeSum += degree[k], most = degree[k] > most ? degree[k] : most;
    const bool square = size == 4 && degreeSum == 8;
    if (stone >= 0) {
        if (toMove != White) return false;
        if (size <= 2 || square) return true;
        if (size == 3) return degree[stone] == 2;
        if (size == 4) return most == 3 && degree[stone] == 3;
        return size == 5 && (degreeSum == 10 || most == 4) && degree[stone] == most;
    }
    if (toMove == White) return size <= 2 || square;
    if (size <= 3) return true;
    if (size == 4) return square || most == 3;
    return size == 5 && (degreeSum == 10 || most == 4);
}

// A lone black stone inside white's space: its neighbours are empty points,
// stones of the target string and the edge.
bool loneInside(const SearchNode& n, int p, const PointMask& string) {
    for (const int d : Offsets) {
        const std::uint8_t c = n.cell[static_cast<std::size_t>(p + d)];
        if (c == Black || (c == White && !HasPoint(string, p + d))) return false;
    }
    return true;
}

}  // namespace

bool DeadEyeSpace(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    const int first = firstPoint(n.target);
    if (first < 0) return false;
    // The target's liberties, from its mask: most positions fail here or
    // on the space below, before any fill.
    const PointMask& string = n.target;
    const PointMask around = NeighboursOf(string);
    int liberty = -1, libertyCount = 0;
    for (std::size_t w = 0; w < around.size(); ++w) {
        for (std::uint64_t bits = around[w]; bits != 0; bits &= bits - 1) {
            const int p = static_cast<int>(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
            if (p >= GridPoints || n.cell[static_cast<std::size_t>(p)] != Empty) continue;
            if (++libertyCount > DeadSpaceMost) return false;
            if (liberty < 0) liberty = p;
        }
    }
    if (liberty < 0) return false;
    // Its eye space: the empty points joined to its first liberty through
    // empty points, closed by the target, black stones and the edge, every
    // point movable and open to black, and holding every liberty.
    int space[DeadSpaceMost];
    int size = 0;
    PointMask inSpace{};
    space[size++] = liberty;
    AddPoint(inSpace, liberty);
    int degree[DeadSpaceMost] = {};
    int stone = -1;  // the index of a lone black stone in the space
    for (int k = 0; k < size; ++k) {
        const int p = space[k];
        if (!setup.movable[static_cast<std::size_t>(p)] || p == n.koBan) return false;
        for (const int d : Offsets) {
            const int q = p + d;
            const std::uint8_t c = n.cell[static_cast<std::size_t>(q)];
            if (c == White) {
                if (!HasPoint(string, q)) return false;
                continue;
            }
            if (c != Empty && !(c == Black && (HasPoint(inSpace, q) || (stone < 0 && loneInside(n, q, string)))))
                continue;
            ++degree[k];
            if (HasPoint(inSpace, q)) continue;
            if (size == DeadSpaceMost) return false;
            if (c == Black) stone = size;
            space[size++] = q;
            AddPoint(inSpace, q);
        }
    }
    // Every liberty of the target lies in it.
    int liberties = 0;
    for (int k = 0; k < size; ++k) liberties += k != stone && HasPoint(around, space[k]);
    if (liberties != libertyCount || !deadShape(size, degree, n.toMove, stone)) return false;
    // The target stones: one string.
    const GroupInfo t = GroupOf(n.cell, first, setup.safe, setup.ring, fs);
    if (t.size != n.targets) return false;
    for (int k = 0; k < t.size; ++k)
        if (!n.isTarget(fs.group[static_cast<std::size_t>(k)])) return false;
    // The black strings beside the string or the space. Black fills the
    // space; each time white captures inside, the captured points make the
    // next space, smaller by at least white's capturing stone. In a space
    // of s points black plays at most s - 1 moves before white captures,
    // and s where it captures the target: at most n(n - 1)/2 + 1 moves in
    // all for n points, and white one fewer (as many when it moves first).
    // A string with more liberties outside the space than that is never
    // taken before the target is.
    PointMask next = string;
    AddPoints(next, inSpace);
    next = NeighboursOf(next);
    const int whiteMoves = size * (size - 1) / 2 + (n.toMove == White ? 1 : 0);
    PointMask checked{};
    if (stone >= 0) AddPoint(checked, space[stone]);
    for (std::size_t w = 0; w < next.size(); ++w) {
        for (std::uint64_t bits = next[w]; bits != 0; bits &= bits - 1) {
            const int p = static_cast<int>(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
            if (p >= GridPoints || n.cell[static_cast<std::size_t>(p)] != Black || HasPoint(checked, p)) continue;
            const GroupInfo g = GroupOf(n.cell, p, setup.safe, setup.ring, fs);
            PointMask stones{};
            for (int k = 0; k < g.size; ++k) AddPoint(stones, fs.group[static_cast<std::size_t>(k)]);
            AddPoints(checked, stones);
            if (g.safe) continue;
            const PointMask libertyNext = NeighboursOf(stones);
            int shared = 0;
            for (int k = 0; k < size; ++k) shared += HasPoint(libertyNext, space[k]);
            if (g.liberties - shared <= whiteMoves) return false;
        }
    }
    return true;
}

}  // namespace keldra::prover
