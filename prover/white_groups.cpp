// White's groups: the strings, their shared liberties, and the links black
// cannot cut at once, joined by a union-find over the strings.
#include "prover/white_groups.h"

#include <algorithm>
#include <numeric>

namespace keldra::prover {

namespace {

class StringUnion {
public:
    StringUnion() { std::iota(parent_.begin(), parent_.end(), std::uint8_t{0}); }
    int find(int s) {
        while (parent_[static_cast<std::size_t>(s)] != s) s = parent_[static_cast<std::size_t>(s)] = parent_[parent_[static_cast<std::size_t>(s)]];
        return s;
    }
    void join(int a, int b) {
        a = find(a), b = find(b);
        if (a != b) parent_[static_cast<std::size_t>(std::max(a, b))] = static_cast<std::uint8_t>(std::min(a, b));
    }

private:
    std::array<std::uint8_t, GridPoints> parent_{};
};

// The strings of white stones, numbered from 0 in X, then Y order of their
// first stone; -1 elsewhere. Returns the number of strings.
int labelStrings(const Cells& cell, std::array<int, GridPoints>& string) {
    string.fill(-1);
    std::array<std::uint8_t, GridPoints> stack{};
    int count = 0;
    for (int i = 0; i < GridPoints; ++i) {
        if (cell[static_cast<std::size_t>(i)] != White || string[static_cast<std::size_t>(i)] >= 0) continue;
        int top = 0;
        stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
        string[static_cast<std::size_t>(i)] = count;
        while (top > 0) {
            const int p = stack[static_cast<std::size_t>(--top)];
            for (const int d : Offsets) {
                const auto q = static_cast<std::size_t>(p + d);
                if (cell[q] != White || string[q] >= 0) continue;
                string[q] = count;
                stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
            }
        }
        ++count;
    }
    return count;
}

// The liberties a stone of `colour` on the point `start` would have, its
// neighbours of that colour joined, `start` itself not counted, the point
// `alsoEmpty` (when not -1) counted as empty; stops counting at `most`.
int libertiesFrom(const Cells& cell, int start, std::uint8_t colour, int alsoEmpty = -1, int most = 2) {
    std::array<std::uint8_t, GridPoints> seen{}, stack{};
    int top = 0, liberties = 0;
    seen[static_cast<std::size_t>(start)] = 1;
    stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(start);
    while (top > 0 && liberties < most) {
        const int s = stack[static_cast<std::size_t>(--top)];
        for (const int d : Offsets) {
            const int q = s + d;
            const auto qi = static_cast<std::size_t>(q);
            if (seen[qi]) continue;
            seen[qi] = 1;
            if (cell[qi] == Empty || q == alsoEmpty) ++liberties;
            else if (cell[qi] == colour) stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
        }
    }
    return liberties;
}

// The liberties a black stone on the empty point p would have; up to two.
int blackLibertiesAt(const Cells& cell, int p) { return libertiesFrom(cell, p, Black); }

// The number of liberties of white's string `s`, up to two.
int stringLiberties(const Cells& cell, const std::array<int, GridPoints>& string, int s) {
    int liberties = 0;
    std::array<std::uint8_t, GridPoints> seen{};
    for (int i = 0; i < GridPoints && liberties < 2; ++i) {
        if (string[static_cast<std::size_t>(i)] != s) continue;
        for (const int d : Offsets) {
            const auto q = static_cast<std::size_t>(i + d);
            if (cell[q] == Empty && !seen[q]) seen[q] = 1, ++liberties;
        }
    }
    return liberties;
}

// Black's lone stone on the empty point p, with `liberty` its one liberty,
// is a snapback: white's capture from `liberty` leaves the capturing string
// with p as its only liberty, and black takes it back there. Then p does not
// join the strings around it: black's stone there is a sacrifice, not a
// stone white simply removes. (With two liberties left, black's atari may
// follow; whether white's connection in the mouth then joins a strong group
// or dies is shortConnection's question.)
bool snapback(const Cells& cell, int p, int liberty) { return libertiesFrom(cell, liberty, White, p) < 2; }

// White's connection in the mouth p after its capture from `liberty` (-1:
// none): the string white stones on both points would make has at most two
// liberties. Black then ataris it and white's connection only joins it to
// its capture (connect and die): p joins nothing.
bool shortConnection(const Cells& cell, int p, int liberty) {
    Cells after = cell;
    after[static_cast<std::size_t>(p)] = White;
    if (liberty >= 0) after[static_cast<std::size_t>(liberty)] = White;
    return libertiesFrom(after, p, White, -1, 3) <= 2;
}

// The one liberty of a lone black stone on the empty point p; -1 when p has
// a black neighbour, or not exactly one empty neighbour.
int loneStoneLiberty(const Cells& cell, int p) {
    int liberty = -1;
    for (const int d : Offsets) {
        const auto q = static_cast<std::size_t>(p + d);
        if (cell[q] == Black) return -1;
        if (cell[q] != Empty) continue;
        if (liberty >= 0) return -1;
        liberty = p + d;
    }
    return liberty;
}

}  // namespace

WhiteGroups WhiteGroupsOf(const Cells& cell) {
    std::array<int, GridPoints> string{};
    labelStrings(cell, string);
    StringUnion groups;
    // Shared liberties, counted by pair of strings at each empty point.
    std::array<std::array<std::uint8_t, GridPoints>, GridPoints> shared{};
    for (int p = 0; p < GridPoints; ++p) {
        if (cell[static_cast<std::size_t>(p)] != Empty) continue;
        int around[4], n = 0;
        for (const int d : Offsets) {
            const int s = string[static_cast<std::size_t>(p + d)];
            if (s < 0) continue;
            bool seen = false;
            for (int k = 0; k < n; ++k) seen |= around[k] == s;
            if (!seen) around[n++] = s;
        }
        if (n < 2) continue;
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) {
                auto& count = shared[static_cast<std::size_t>(around[a])][static_cast<std::size_t>(around[b])];
                if (a != b && ++count >= 2) groups.join(around[a], around[b]);
            }
        }
        // A tiger's mouth: black's stone here would be taken at once, unless
        // it takes a white string first, white's capture is a snapback, or
        // white's connection here after the capture is short of liberties.
        bool captures = false;
        for (int k = 0; k < n; ++k) captures |= stringLiberties(cell, string, around[k]) < 2;
        const int liberty = loneStoneLiberty(cell, p);
        if (!captures && blackLibertiesAt(cell, p) <= 1 && !(liberty >= 0 && snapback(cell, p, liberty)) &&
            !shortConnection(cell, p, liberty)) {
            for (int k = 1; k < n; ++k) groups.join(around[0], around[k]);
        }
    }
    WhiteGroups g;
    std::array<int, GridPoints> number{};
    number.fill(-1);
    for (int i = 0; i < GridPoints; ++i) {
        const int s = string[static_cast<std::size_t>(i)];
        if (s < 0) continue;
        const auto root = static_cast<std::size_t>(groups.find(s));
        if (number[root] < 0) number[root] = g.count++;
        g.label[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(number[root] + 1);
        ++g.size[static_cast<std::size_t>(number[root])];
    }
    return g;
}

}  // namespace keldra::prover
