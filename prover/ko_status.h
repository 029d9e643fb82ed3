// The ko status of the ko kills, counted after the main proofs: how many ko
// threats each side needs; and the ranking that lists only the best kos
// among the ko kills.
#pragma once

#include <vector>

#include "prover/first_move.h"
#include "prover/prover.h"

namespace keldra::prover {

// For every ko kill among `results` (first move i is `firsts[i]`): the
// fewest threats black needs to kill when white has none, and the fewest
// white needs to live when black has none, each from 0 to CountedThreats
// (MoreThreats beyond), proved with `search` and re-checked by `checker`
// under the checker's limits. A ko whose counting a limit cuts short keeps
// -1 for both.
void CountKoThreats(const ProblemSetup& setup, const SearchNode& root, const std::vector<int>& firsts,
                    FirstMoveSearch& search, Searcher& checker, std::vector<RootResult>& results);

// Refills result.koKills and result.weakerKo from the ko kills of
// `firstMoves` (X then Y order): a counted ko with a smaller koAdvantage
// than the best counted one is weaker; the others, the kos not counted
// among them, stay ko kills.
void RankKoKills(const std::vector<RootResult>& firstMoves, ProveResult& result);

}  // namespace keldra::prover
