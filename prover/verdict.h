// The problem's verdict from its first moves' results.
#pragma once

#include <vector>

#include "prover/first_move.h"
#include "prover/prover.h"

namespace keldra::prover {

// kill when some first move kills; otherwise unknown while any first move is
// unknown with white as ko master; otherwise ko when some first move kills
// by ko; otherwise unknown while any is unknown with black as ko master;
// otherwise alive (the seki test comes after). `clean[i]` is first move i's
// outcome with white as ko master. Fills result.kills, result.koKills
// and result.open.
Verdict VerdictOf(const std::vector<RootResult>& firstMoves, const std::vector<MoveOutcome>& clean,
                  ProveResult& result);

}  // namespace keldra::prover
