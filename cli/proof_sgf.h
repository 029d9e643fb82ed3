// The prover's proof tree as an SGF game tree.
#pragma once

#include "BAN/sgf/sgf_tree.h"
#include "QELMA/logic/prove_commands.h"
#include "prover/prover.h"

namespace keldra {

// The same tree with every move, black's first moves commented with their
// status (FirstMoveStatusText) and judged (a kill correct, a refuted move wrong, a ko kill left
// unjudged).
SgfTree ProofSgfTree(const prover::ProofTree& proof);

}  // namespace keldra
