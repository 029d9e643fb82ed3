// A dead eye space played out to the capture, for the lines a player reads:
// the search recognises the space and stops there, the main line and the
// proof tree go on.
#pragma once

#include <vector>

#include "prover/dfpn.h"

namespace keldra::prover {

// The moves (grid points) from the end of `path`, a position whose target
// is dead by its eye space, to the capture of every target: black's proof
// and white's longest resistance, searched with the recognition off under
// `rules`, within `limits` (its deadline and stop flag; the positions are
// added to its count) and at most `nodes` positions. Empty where a limit
// ends the search first: the line then ends where the space was recognised.
std::vector<int> PlayOutDeadSpace(const ProblemSetup& setup, const SearchNode* path, int length,
                                  const SearchRules& rules, SearchLimits& limits, std::uint64_t nodes);

}  // namespace keldra::prover
