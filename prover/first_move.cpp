// One first move's proof: the search behind the seam, then the re-check.
#include "prover/first_move.h"

#include <array>

namespace keldra::prover {

FirstMoveClaim DfpnFirstMove::search(const FirstMoveTask& task) {
    FirstMoveClaim claim;
    const std::uint64_t before = s_.nodes();
    s_.setSolveBudget(task.budget);
    s_.setRules(task.rules);
    const ProofValues v = s_.solve(task.path, 2);
    claim.nodes = s_.nodes() - before;
    claim.pn = v.pn;
    if (v.pn == 0) {
        claim.outcome = MoveOutcome::Proved;
    } else if (v.disproved()) {
        claim.outcome = MoveOutcome::Disproved;
        claim.refutation = s_.bestMove();
    }
    return claim;
}

MoveProof ProveFirstMove(FirstMoveSearch& search, Searcher& checker, const ProblemSetup& setup,
                         const SearchRules& rules, const SearchNode& root, int point, std::uint64_t budget) {
    MoveProof p;
    if (checker.limitsReached()) return p;
    std::array<SearchNode, 2> path{root, root};
    FillScratch fs;
    if (!PlayInto(root, point, path[1], setup, rules, fs, true)) {
        // Barred by the board's ko mark: white needs no answer.
        p.outcome = MoveOutcome::Disproved;
        return p;
    }
    const Outcome o = TerminalOf(path[1], point, false, setup, rules, fs);
    if (o == Outcome::BlackWins) {
        p.outcome = MoveOutcome::Proved;
        return p;
    }
    if (o == Outcome::WhiteWins) {
        p.outcome = MoveOutcome::Disproved;
        return p;
    }
    const FirstMoveClaim claim = search.search(FirstMoveTask{path.data(), point, rules, budget});
    p.nodes = claim.nodes;
    p.pn = claim.pn;
    if (claim.outcome == MoveOutcome::Proved) {
        p.pn = 0;
        checker.setRules(rules);
        if (checker.verifyBlackWin(path.data(), 2) >= 0) {
            p.outcome = MoveOutcome::Proved;
        } else if (rules.salt == 0 && !checker.verifyCut() && !checker.limitsReached()) {
            p.ownKeys = true;
        }
    } else if (claim.outcome == MoveOutcome::Disproved) {
        p.outcome = MoveOutcome::Disproved;
        p.refutation = claim.refutation;
    }
    return p;
}

}  // namespace keldra::prover
