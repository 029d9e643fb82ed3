// Depth-first proof-number search over the prover's position, with a
// fixed-size transposition table, and an exact re-check of every proof. The
// search (solve) lives in dfpn.cpp; the re-check, the proved line and the
// longest resistance in recheck.cpp.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "prover/move_generator.h"
#include "prover/position.h"
#include "prover/proof_table.h"

namespace keldra::prover {

inline constexpr std::uint16_t NoDependence = 0xFFFF;
// A disproof through a node cut off at MaxDepth: not a disproof at all.
inline constexpr std::uint16_t CutOff = 0;
inline constexpr int MaxDepth = 400;

// Limits shared by the threads of one proof.
struct SearchLimits {
    std::atomic<std::uint64_t> nodes{0};
    std::uint64_t nodeLimit = 0;  // 0: none
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    const std::atomic<bool>* stopRequested = nullptr;
    std::atomic<bool> reached{false};  // a limit or the stop flag ended some search

    // The deadline has passed or the stop flag is up; the caller records it
    // in `reached`.
    bool overdue() const {
        return std::chrono::steady_clock::now() >= deadline ||
               (stopRequested != nullptr && stopRequested->load(std::memory_order_relaxed));
    }
};

// Proof and disproof numbers of "black captures every target stone"; `dep`
// is one more than the shallowest path depth whose repetition a disproof
// relies on, or CutOff when it relies on a node too deep to search.
struct ProofValues {
    std::uint32_t pn = 1, dn = 1;
    std::uint16_t dep = NoDependence;
    bool proved() const { return pn == 0; }
    bool disproved() const { return dn == 0 && dep != CutOff; }
};

// One thread's search: its node stack and child stack are allocated when it
// is made and reused for every search it runs. The table may be shared with
// other threads' searchers.
class Searcher {
public:
    Searcher(const ProblemSetup& setup, ProofTable& table);

    void setRules(const SearchRules& rules) { rules_ = rules; }
    void setLimits(SearchLimits* limits) { limits_ = limits; }
    // Nodes one solve may spend before it gives up on its own (0: none).
    void setSolveBudget(std::uint64_t nodes) { solveBudget_ = nodes; }
    // At the root of a solve, white to move, search white's defences other
    // than the one with the smallest disproof number first (each until it is
    // settled): another thread is proving the same move along that one.
    void setHelper(bool helper) { helper_ = helper; }

    // Searches path.back() with path[0..] as the history (path[0] is the
    // problem's root). Returns the node's values; unfinished after a limit.
    ProofValues solve(const SearchNode* path, int length);
    // The move the last solve found: a proving child of a proved node, or a
    // disproving child of a disproved one; -1 when none.
    int bestMove() const { return bestMove_; }

    // Re-checks that black wins from path.back() against every white move,
    // with the exact history, following the table's proofs. Returns the
    // number of plies to the capture along white's longest resistance, or
    // -1 when the proof does not hold up.
    int verifyBlackWin(const SearchNode* path, int length);
    // The last re-check ran out of its budget or of the limits: its failure
    // says nothing about the proof.
    bool verifyCut() const { return verifyCut_; }
    // The proved line from path.back(): black's proving moves and white's
    // longest resistance, until the capture. Empty when it does not verify.
    std::vector<int> provedLine(const SearchNode* path, int length);
    // White's moves at path.back() (white to move, black proved) ranked by
    // the length of black's proof: the longest resistance; -1 when none.
    int longestResistance(const SearchNode* path, int length);
    // The move a proved line takes at walk.back(): black's quickest proved
    // kill, or white's longest resistance; -1 when black has no proved kill
    // or some white move refutes. `walk` is the exact history; it is left
    // as it was given.
    int provedChoice(std::vector<SearchNode>& walk);

    std::uint64_t nodes() const { return nodes_; }
    bool stopped() const { return stopped_; }
    bool limitsReached() const { return limits_ != nullptr && limits_->reached.load(); }
    std::size_t tableBytes() const { return table_.bytes(); }

private:
    struct Slot {
        std::uint8_t move;
        std::uint16_t dep;
        std::uint32_t pn, dn;
    };

    ProofValues mid(int d, std::uint32_t thpn, std::uint32_t thdn);
    int onPath(std::uint64_t key, int d) const;
    void countNode();
    // Stones on the board: all, black and white.
    struct StoneCounts {
        int all = 0, black = 0, white = 0;
        static StoneCounts of(const SearchNode& n) { return {n.blackStones + n.whiteStones, n.blackStones, n.whiteStones}; }
        static StoneCounts most() { return {1 << 16, 1 << 16, 1 << 16}; }
        StoneCounts atLeast(const StoneCounts& o) const {
            return {std::max(all, o.all), std::max(black, o.black), std::max(white, o.white)};
        }
        StoneCounts atMost(const StoneCounts& o) const {
            return {std::min(all, o.all), std::min(black, o.black), std::min(white, o.white)};
        }
        // Some count here is below the same count there.
        bool below(const StoneCounts& o) const { return all < o.all || black < o.black || white < o.white; }
    };
    // What a walked proof tells about its positions: the fewest stones, of
    // each count, of any of them (not counting the capture that ends it), and
    // every point that a capture in it empties.
    struct ProofExtent {
        StoneCounts fewest = StoneCounts::most();
        PointMask emptied{};
        void include(const ProofExtent& o) {
            fewest = fewest.atMost(o.fewest);
            for (std::size_t w = 0; w < emptied.size(); ++w) emptied[w] |= o.emptied[w];
        }
    };
    // Re-checks the proof below path depth d; `extent` gets what the proof
    // below holds.
    int verify(int d, ProofExtent& extent);
    // A proof of the position at depth d, walked under another history with
    // `extent`, holds under the current one: none of its positions can be
    // one of the path's.
    bool reusable(int d, const ProofExtent& extent) const;
    bool reprove(int d);
    // `research`: a black position whose proof is gone from the table is
    // searched again (the line, which compares every move, does without).
    int verifyWithin(const SearchNode* path, int length, std::int64_t budget, bool research);
    std::uint64_t keyAt(int d) const;

    const ProblemSetup& setup_;
    SearchRules rules_;
    SearchLimits* limits_ = nullptr;
    ProofTable& table_;
    std::vector<SearchNode> nodes_stack_;
    std::vector<std::uint64_t> keys_;
    std::vector<StoneCounts> mostStones_;  // the most stones, of each count, of any path position up to each depth
    std::vector<int> placed_;        // the point of the stone that made each path position; PassMove for a pass
    std::vector<int> lastCapture_;   // the deepest path depth up to each depth made by a capture; 0 when none
    // Positions whose proof a re-check followed to the end.
    struct VerifiedNode {
        std::uint64_t key = 0;
        int height = 0;
        int move = -1;  // black's proved move there
        ProofExtent extent;
    };
    // Zeroed, as the table: a key of 0 marks an empty entry.
    static constexpr std::size_t VerifiedEntries = std::size_t{1} << 16;
    std::unique_ptr<VerifiedNode[], FreeMemory> verified_;
    std::vector<Slot> slots_;
    int width_ = 0;
    // One expansion's children, their moves and keys: made all before the
    // first is evaluated; the recursion below reuses them.
    std::vector<SearchNode> children_;
    std::vector<int> childMoves_;
    std::vector<std::uint64_t> childKeys_;
    FillScratch fs_;
    std::uint64_t nodes_ = 0;
    std::uint64_t unflushed_ = 0;
    std::uint64_t solveBudget_ = 0;
    std::uint64_t solveStart_ = 0;
    bool stopped_ = false;
    int rootDepth_ = 0;
    int bestMove_ = -1;
    std::int64_t verifyBudget_ = 0;
    bool verifyCut_ = false;
    bool research_ = false;
    bool rootBanned_ = false;
    bool helper_ = false;
};

}  // namespace keldra::prover
