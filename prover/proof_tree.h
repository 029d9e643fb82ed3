// The proof tree built from the table after the proof: what black answers
// to each white defence under a kill, and white's line to life under a
// refuted first move.
#pragma once

#include <vector>

#include "prover/position.h"
#include "prover/proof_table.h"
#include "prover/prover.h"

namespace keldra::prover {

// Builds the tree for `firstMoves` (their moves and statuses settled) from
// the proofs in `table`, made with salt 0. The kills share `maxNodes` nodes;
// a refutation's line is at most LineLimit plies long.
ProofTree BuildProofTree(const ProblemSetup& setup, const SearchNode& root, const ProofTable& table,
                         const std::vector<RootResult>& firstMoves, int maxNodes);

}  // namespace keldra::prover
