// The prover's proof tree as an SGF game tree, for the SGF file and the
// solution tree window.
#pragma once

#include "BAN/sgf/sgf_tree.h"
#include "QELMA/logic/prove_commands.h"
#include "prover/prover.h"

namespace keldra {

// The same tree with every move, black's first moves commented with their
// status in the window's language (StatusTextShown) and marked (a kill correct, a refuted move
// wrong, a ko kill unmarked). Every node is judged as its first move's line
// ends: correct under a kill or a ko kill, wrong under a refuted move.
SgfTree ProofSgfTree(const prover::ProofTree& proof);

}  // namespace keldra
