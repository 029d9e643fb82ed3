// Benson's test for the prover's position.
#pragma once

#include "prover/position.h"

namespace keldra::prover {

// True when some target chain is alive whatever black plays (Benson's test,
// with safe stones counted alive and regions that leave the area never vital).
bool WhiteUnconditionallyAlive(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

}  // namespace keldra::prover
