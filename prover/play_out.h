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
// `rules` and `limits`. Empty where the limits end the search first.
std::vector<int> PlayOutDeadSpace(const ProblemSetup& setup, const SearchNode* path, int length,
                                  const SearchRules& rules, SearchLimits& limits);

}  // namespace keldra::prover
