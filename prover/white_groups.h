// White's groups as a player sees them: strings joined where black cannot
// cut them at once. Built once by the set-up; never used while searching.
#pragma once

#include <array>
#include <cstdint>

#include "prover/grid.h"

namespace keldra::prover {

struct WhiteGroups {
    // Group number + 1 of each white stone; 0 elsewhere.
    std::array<std::uint8_t, GridPoints> label{};
    // Stones per group, by group number.
    std::array<std::uint8_t, GridPoints> size{};
    int count = 0;
};

// Joins two white strings when they share two or more liberties (black
// fills one, white connects at the other: a diagonal with both crossing
// points empty, a bamboo joint), or share a liberty where a black stone
// would be left with at most one liberty and capture nothing (a tiger's
// mouth: white takes the stone at once, unless that capture is a snapback
// or white's connection in the mouth afterwards has at most two liberties:
// connect and die). Joins are transitive. Groups are
// numbered in X, then Y order of their first stone.
WhiteGroups WhiteGroupsOf(const Cells& cell);

}  // namespace keldra::prover
