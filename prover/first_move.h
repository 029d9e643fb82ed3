// The seam between the first-move scheduling and a search: one interface
// proves one black first move under given rules and budget. Every proof a
// search claims is re-checked by ProveFirstMove with the exact history
// before it counts, whichever search claimed it.
#pragma once

#include <cstdint>
#include <vector>

#include "prover/dfpn.h"
#include "prover/position.h"

namespace keldra::prover {

enum class MoveOutcome { Proved, Disproved, Unknown };

// One black first move to prove. `path` holds the problem's root and the
// position after the move.
struct FirstMoveTask {
    const SearchNode* path = nullptr;
    int point = PassMove;
    SearchRules rules;
    std::uint64_t budget = 0;  // positions this attempt may spend; 0: none but the shared limits
    // A second thread on a move another thread is proving: it takes white's
    // defences after the most promising one first, so that the two share
    // out a kill's work instead of walking the same line.
    bool helper = false;
};

// What a search found for one first move. A Proved claim leaves its proof
// (a proof number of 0 for every position of it) in the shared table, where
// the re-check follows it.
struct FirstMoveClaim {
    MoveOutcome outcome = MoveOutcome::Unknown;
    int refutation = -1;      // white's answer when Disproved; -1 when unknown
    std::uint64_t nodes = 0;  // positions spent
    std::uint32_t pn = 1;     // the proof number left when unfinished
};

// A search that proves first moves; one per thread.
class FirstMoveSearch {
public:
    virtual ~FirstMoveSearch() = default;
    virtual FirstMoveClaim search(const FirstMoveTask& task) = 0;
};

// df-pn over the shared table.
class DfpnFirstMove final : public FirstMoveSearch {
public:
    explicit DfpnFirstMove(Searcher& searcher) : s_(searcher) {}
    FirstMoveClaim search(const FirstMoveTask& task) override;

private:
    Searcher& s_;
};

// A first move's result after the re-check.
struct MoveProof {
    MoveOutcome outcome = MoveOutcome::Unknown;
    int refutation = -1;
    std::uint64_t nodes = 0;
    std::uint32_t pn = 1;  // the proof number left when unfinished
    // The proof leaned on table entries made under another history (another
    // first move's path, where other positions repeat): prove the move again
    // with keys of its own.
    bool ownKeys = false;
};

// Black's first moves from `root` that `rules` allow, in the generator's
// order.
std::vector<int> FirstMovesOf(const SearchNode& root, const ProblemSetup& setup, const SearchRules& rules);

// The position after black's first move `point` from `root` under `rules`
// into `after`; false when the move cannot be played. Under rules.resolveKo
// a move that the board's ko mark bars comes after a wait: white has just
// retaken that ko, so black plays elsewhere and white resolves the ko with a
// stone; `after` is that position, white to move and no pass, and `waited`
// is set. Black then plays the move, or any other.
bool FirstMovePosition(const SearchNode& root, int point, const ProblemSetup& setup, const SearchRules& rules,
                       FillScratch& fs, SearchNode& after, bool& waited);

// Proves black's first move `point` from `root` under `rules` (the root
// given the rules' threat budgets where they count threats): a move that
// ends the game at once needs no search; otherwise `search` claims, and
// `checker` (reading the same table) re-checks every claimed proof.
MoveProof ProveFirstMove(FirstMoveSearch& search, Searcher& checker, const ProblemSetup& setup,
                         const SearchRules& rules, const SearchNode& root, int point, std::uint64_t budget,
                         bool helper = false);

}  // namespace keldra::prover
