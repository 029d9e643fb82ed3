// The candidate generator: the points where one colour may usefully play.
#pragma once

#include <array>
#include <cstdint>

#include "BAN/rules.h"
#include "solver/stone_columns.h"

namespace keldra {

struct CandidateEntry {
    std::uint8_t X;
    std::uint8_t Y;
    std::uint8_t flag;  // 1 when the near-stone filter ran and kept the point

    friend bool operator==(const CandidateEntry&, const CandidateEntry&) = default;
};

inline constexpr int MaxCandidates = 50;

struct CandidateList {
    std::uint8_t count = 0;                                  // valid entries, 0..50
    std::array<CandidateEntry, MaxCandidates + 1> entries{};  // entries 1..count; slot 0 unused

    const CandidateEntry& entry(int i) const { return entries[static_cast<std::size_t>(i)]; }
    CandidateEntry& entry(int i) { return entries[static_cast<std::size_t>(i)]; }
    bool contains(int x, int y) const;
};

// Lists the points where `colour` (1 or 2) may play in the position. On
// return the board holds what it held on entry (a 5 or 7 left empty) and
// LastX/LastY are 0. When more than 50 points survive, the first 50 in list
// order are kept.
void GenerateCandidates(Position& pos, int colour, CandidateList& out);

// Whether GenerateCandidates(pos, colour) would list any point, with the
// same effect on pos (a 5 or 7 left empty, LastX/LastY 0); stops at the
// first point that settles it.
bool HasCandidates(Position& pos, int colour);

// The same, for a caller that keeps `columns` equal to the board's codes.
// Any 5 or 7 is left empty on the board and in `columns`.
void GenerateCandidates(Position& pos, int colour, CandidateList& out, StoneColumns& columns);
bool HasCandidates(Position& pos, int colour, StoneColumns& columns);

// GenerateCandidates for `colour`, answering HasCandidates for the other
// colour in the same position; both share the work that does not depend on
// the colour.
bool GenerateCandidatesAndAskOther(Position& pos, int colour, CandidateList& out, StoneColumns& columns);

}  // namespace keldra
