// The scheduling of the first moves' proofs: each black first move under
// each ko setting is a task, proved in slices that the threads share out.
#pragma once

#include <functional>
#include <vector>

#include "prover/first_move.h"
#include "prover/prover.h"

namespace keldra::prover {

// One thread's search and the searcher that re-checks its proofs (both over
// the shared table).
struct FirstMoveWorker {
    FirstMoveSearch* search = nullptr;
    Searcher* checker = nullptr;
};

// Proves every move of `firsts` from `root`, one thread per worker, into
// `results` (one per first move, its move already set); `report(i)` runs
// once per first move when its status is settled, or at the end. Returns
// each first move's outcome with white as ko master.
std::vector<MoveOutcome> ProveFirstMoves(const ProblemSetup& setup, const SearchNode& root,
                                         const std::vector<int>& firsts, const std::vector<FirstMoveWorker>& workers,
                                         SearchLimits& limits, std::vector<RootResult>& results,
                                         const std::function<void(int)>& report);

}  // namespace keldra::prover
