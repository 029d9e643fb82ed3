// The re-check of a proof: walks it with the exact history (every white
// answer, black's proved move), remembering the positions it walked to the
// end; and the proved line and white's longest resistance built on it.
#include "prover/dfpn.h"

#include <algorithm>

namespace keldra::prover {

namespace {

// Positions one re-check may visit: it walks the proof as a tree, so a
// proof that transposes much costs far more than its search did.
constexpr std::int64_t VerifyBudget = 200'000'000;
// Nodes one re-search of a position may spend when the re-check finds its
// proof gone from the table.
constexpr std::uint64_t ReproveBudget = 1'000'000;
// Per position of the main line, where every move's proof is re-checked.
constexpr std::int64_t LineVerifyBudget = 3'000'000;

}  // namespace

// Positions of the proof and of the path can be equal only when their stones
// are. Two tests, either enough for a path position:
// - Stone counts: every position of the proof has more stones, or more
//   black ones, or more white ones, than it.
// - The last stone: the stone whose move made the proved position stands in
//   every position of the proof when no capture there empties its point. It
//   was placed on an empty point, and a point stays empty up the path until
//   a move that captured: path positions from the last capture on lack it.
bool Searcher::reusable(int d, const ProofExtent& extent) const {
    if (d == 0) return true;
    const int stone = placed_[static_cast<std::size_t>(d)];
    int above = d;  // the path positions the counts must settle: depths below this
    if (stone != PassMove && !HasPoint(extent.emptied, stone))
        above = lastCapture_[static_cast<std::size_t>(d - 1)];
    return above == 0 || mostStones_[static_cast<std::size_t>(above - 1)].below(extent.fewest);
}

int Searcher::verify(int d, ProofExtent& extent) {
    if (--verifyBudget_ < 0 || d + 2 >= MaxDepth) {
        verifyCut_ |= verifyBudget_ < 0;
        return -1;
    }
    if ((verifyBudget_ & 4095) == 0 && limits_ != nullptr && limits_->overdue()) {
        limits_->reached = true;
        verifyBudget_ = -1;
        verifyCut_ = true;
        return -1;
    }
    const std::uint64_t key = keys_[static_cast<std::size_t>(d)];
    VerifiedNode& memo = verified_[key & (VerifiedEntries - 1)];
    // A proof checked before under another history holds here too when no
    // position of it can repeat one above.
    if (memo.key == key && reusable(d, memo.extent)) {
        extent = memo.extent;
        return memo.height;
    }
    const SearchNode& n = nodes_stack_[static_cast<std::size_t>(d)];
    SearchNode& c = nodes_stack_[static_cast<std::size_t>(d + 1)];
    const bool blackToMove = n.toMove == Black;
    if (blackToMove && LivesByItself(n, setup_, fs_)) return -1;
    int height = 0;
    extent = ProofExtent{};
    MoveGenerator moves(n, setup_, rules_, d == 0, fs_);
    ProofExtent child;
    // `move` has been played into c. Returns -1 when it fails, else the
    // height of its proof.
    auto visit = [&](int move) -> int {
        child = ProofExtent{};
        // The move's own stones and the points its capture empties.
        ProofExtent here{StoneCounts::of(c), {}};
        for (int i = 0; c.captured != 0 && i < GridPoints; ++i)
            if (c.cell[static_cast<std::size_t>(i)] == Empty && n.cell[static_cast<std::size_t>(i)] != Empty) AddPoint(here.emptied, i);
        const std::uint64_t ck = KeyOf(c, rules_);
        if (onPath(ck, d) >= 0) return -1;
        // A capture of every target repeats nothing: the path always held one.
        // A black move without a proof in the table fails unless it ends the
        // game at once; the test for white's life is left out there, as it
        // could only make the move fail. After a white move the test waits
        // for the child's own check, which a remembered proof skips.
        const bool tableProof = blackToMove && [&] {
            const TableEntry e = table_.find(ck);
            return e.key != 0 && e.pn() == 0;
        }();
        const Outcome o = TerminalOf(c, move, n.lastPass != 0, setup_, rules_, fs_, tableProof);
        if (o == Outcome::BlackWins) {
            child.emptied = here.emptied;
            return 1;
        }
        if (o == Outcome::WhiteWins || (blackToMove && !tableProof)) return -1;
        keys_[static_cast<std::size_t>(d + 1)] = ck;
        mostStones_[static_cast<std::size_t>(d + 1)] = mostStones_[static_cast<std::size_t>(d)].atLeast(here.fewest);
        placed_[static_cast<std::size_t>(d + 1)] = move;
        lastCapture_[static_cast<std::size_t>(d + 1)] = c.captured != 0 ? d + 1 : lastCapture_[static_cast<std::size_t>(d)];
        const int h = verify(d + 1, child);
        child.include(here);
        return h < 0 ? -1 : h + 1;
    };
    const auto remember = [&](int h, int move) {
        memo = VerifiedNode{key, h, move, extent};
        return h;
    };
    // Where this position's proof was walked under another history, black's
    // move then is tried first.
    if (blackToMove && memo.key == key && memo.move >= 0) {
        const int move = memo.move;
        const int h = moves.allows(move) && PlayInto(n, move, c, setup_, rules_, fs_, d == 0) ? visit(move) : -1;
        if (h >= 0) {
            extent = child;
            return remember(h, move);
        }
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        moves.restart();
        for (int move = moves.next(c); move >= 0; move = moves.next(c)) {
            const int h = visit(move);
            if (blackToMove) {
                if (h >= 0) {
                    extent = child;
                    return remember(h, move);
                }
            } else {
                if (h < 0) return -1;
                height = std::max(height, h);
                extent.include(child);
            }
        }
        if (!blackToMove) return remember(height, -1);
        // No move of black's leads to a proof in the table: the entries may
        // have been replaced since. Search this node again, with the exact
        // history above it, and look once more.
        if (attempt == 0 && !reprove(d)) return -1;
    }
    return -1;
}

bool Searcher::reprove(int d) {
    if (!research_ || verifyBudget_ <= 0) return false;
    const std::uint64_t savedBudget = solveBudget_, savedStart = solveStart_, before = nodes_;
    const int savedRoot = rootDepth_;
    const bool savedStopped = stopped_;
    solveBudget_ = ReproveBudget;
    solveStart_ = nodes_;
    rootDepth_ = -1;
    stopped_ = false;
    const ProofValues v = mid(d, Infinite, Infinite);
    const bool cut = stopped_;
    solveBudget_ = savedBudget, solveStart_ = savedStart, rootDepth_ = savedRoot, stopped_ = savedStopped;
    verifyBudget_ -= static_cast<std::int64_t>(nodes_ - before);
    if (v.pn != 0 && cut) verifyCut_ = true;
    return v.pn == 0;
}

int Searcher::verifyBlackWin(const SearchNode* path, int length) { return verifyWithin(path, length, VerifyBudget, true); }

int Searcher::verifyWithin(const SearchNode* path, int length, std::int64_t budget, bool research) {
    for (int i = 0; i < length; ++i) {
        nodes_stack_[static_cast<std::size_t>(i)] = path[i];
        keys_[static_cast<std::size_t>(i)] = keyAt(i);
        const StoneCounts stones = StoneCounts::of(path[i]);
        mostStones_[static_cast<std::size_t>(i)] = i == 0 ? stones : mostStones_[static_cast<std::size_t>(i - 1)].atLeast(stones);
        // The stone that made the position: a point empty before, now the
        // mover's.
        int stone = PassMove;
        for (int p = 0; i > 0 && p < GridPoints; ++p) {
            const auto pp = static_cast<std::size_t>(p);
            if (path[i - 1].cell[pp] == Empty && path[i].cell[pp] == path[i - 1].toMove) stone = p;
        }
        placed_[static_cast<std::size_t>(i)] = stone;
        const int before = i == 0 ? 0 : lastCapture_[static_cast<std::size_t>(i - 1)];
        lastCapture_[static_cast<std::size_t>(i)] = i > 0 && path[i].captured != 0 ? i : before;
    }
    verifyBudget_ = budget;
    verifyCut_ = false;
    research_ = research;
    ProofExtent extent;
    return verify(length - 1, extent);
}

int Searcher::provedChoice(std::vector<SearchNode>& walk) {
    const SearchNode n = walk.back();  // a copy: pushing onto walk may move its nodes
    const int d = static_cast<int>(walk.size()) - 1;
    int chosen = -1, chosenHeight = -1;
    SearchNode child;
    MoveGenerator moves(n, setup_, rules_, d == 0, fs_);
    for (int move = moves.next(child); move >= 0; move = moves.next(child)) {
        const Outcome o = TerminalOf(child, move, n.lastPass != 0, setup_, rules_, fs_);
        int h;
        if (o == Outcome::BlackWins) {
            h = 0;
        } else if (o == Outcome::WhiteWins) {
            h = -1;
        } else {
            walk.push_back(child);
            h = verifyWithin(walk.data(), static_cast<int>(walk.size()), LineVerifyBudget, false);
            walk.pop_back();
        }
        if (n.toMove == Black) {
            // Black's quickest proved kill.
            if (h >= 0 && (chosen < 0 || h < chosenHeight)) chosenHeight = h, chosen = move;
        } else {
            if (h < 0) return -1;
            if (h > chosenHeight) chosenHeight = h, chosen = move;
        }
    }
    return chosen;
}

std::vector<int> Searcher::provedLine(const SearchNode* path, int length) {
    std::vector<int> line;
    std::vector<SearchNode> walk(path, path + length);
    walk.reserve(MaxDepth);
    while (static_cast<int>(walk.size()) < MaxDepth - 2) {
        const SearchNode n = walk.back();
        const int chosen = provedChoice(walk);
        if (chosen < 0) return {};
        SearchNode child;
        PlayInto(n, chosen, child, setup_, rules_, fs_, walk.size() == 1);
        line.push_back(chosen);
        if (TerminalOf(child, chosen, n.lastPass != 0, setup_, rules_, fs_) == Outcome::BlackWins) return line;
        walk.push_back(child);
    }
    return {};
}

int Searcher::longestResistance(const SearchNode* path, int length) {
    std::vector<SearchNode> walk(path, path + length);
    return provedChoice(walk);
}

}  // namespace keldra::prover
