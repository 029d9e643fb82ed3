// One first move's proof: the search behind the seam, then the re-check.
#include "prover/first_move.h"

#include <array>

namespace keldra::prover {

FirstMoveClaim DfpnFirstMove::search(const FirstMoveTask& task) {
    FirstMoveClaim claim;
    const std::uint64_t before = s_.nodes();
    s_.setSolveBudget(task.budget);
    s_.setRules(task.rules);
    s_.setHelper(task.helper);
    const ProofValues v = s_.solve(task.path, 2);
    s_.setHelper(false);
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

std::vector<int> FirstMovesOf(const SearchNode& root, const ProblemSetup& setup, const SearchRules& rules) {
    std::vector<int> firsts;
    FillScratch fs;
    SearchNode child;
    MoveGenerator moves(root, setup, rules, true, fs);
    for (int p = moves.next(child); p >= 0; p = moves.next(child)) firsts.push_back(p);
    return firsts;
}

bool FirstMovePosition(const SearchNode& root, int point, const ProblemSetup& setup, const SearchRules& rules,
                       FillScratch& fs, SearchNode& after, bool& waited) {
    waited = false;
    if (PlayInto(root, point, after, setup, rules, fs, true)) return true;
    if (!rules.resolveKo || root.toMove != Black || !setup.rootBan[static_cast<std::size_t>(point)]) return false;
    after = root;
    after.toMove = White;
    after.mustMove = 1;
    after.lastPass = 0;
    after.captured = 0;
    after.koBan = 0;
    waited = true;
    return true;
}

MoveProof ProveFirstMove(FirstMoveSearch& search, Searcher& checker, const ProblemSetup& setup,
                         const SearchRules& rules, const SearchNode& root, int point, std::uint64_t budget,
                         bool helper) {
    MoveProof p;
    if (checker.limitsReached()) return p;
    std::array<SearchNode, 2> path{root, root};
    // Where the rules count threats, the problem's root starts with the
    // budgets.
    GiveThreats(path[0], rules);
    FillScratch fs;
    bool waited = false;
    if (!FirstMovePosition(path[0], point, setup, rules, fs, path[1], waited)) {
        // Barred by the board's ko mark: white needs no answer.
        p.outcome = MoveOutcome::Disproved;
        return p;
    }
    const Outcome o = waited ? Outcome::None : TerminalOf(path[1], point, false, setup, rules, fs);
    if (o == Outcome::BlackWins) {
        p.outcome = MoveOutcome::Proved;
        return p;
    }
    if (o == Outcome::WhiteWins) {
        p.outcome = MoveOutcome::Disproved;
        return p;
    }
    const FirstMoveClaim claim = search.search(FirstMoveTask{path.data(), point, rules, budget, helper});
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
