// Dead eye spaces played out with a search of their own: its own table, and
// the set-up with the recognition off.
#include "prover/play_out.h"

#include <algorithm>

namespace keldra::prover {

namespace {

// The table of one play-out: a dead space of five points at most, so a
// small one holds its proof.
constexpr std::size_t PlayOutTableBytes = 8u << 20;

}  // namespace

std::vector<int> PlayOutDeadSpace(const ProblemSetup& setup, const SearchNode* path, int length,
                                  const SearchRules& rules, SearchLimits& limits, std::uint64_t nodes) {
    if (limits.reached.load() || limits.overdue()) return {};
    ProblemSetup full = setup;
    full.deadEyeSpaces = false;
    ProofTable table(PlayOutTableBytes);
    Searcher s(full, table);
    SearchLimits own;
    own.deadline = limits.deadline;
    own.stopRequested = limits.stopRequested;
    own.nodeLimit = limits.nodeLimit == 0 ? nodes : std::min(nodes, limits.nodeLimit - std::min(limits.nodeLimit, limits.nodes.load()));
    s.setLimits(&own);
    s.setRules(rules);
    std::vector<int> line;
    if (own.nodeLimit != 0 && s.solve(path, length).pn == 0) line = s.provedLine(path, length);
    limits.nodes += own.nodes.load();
    if (limits.nodeLimit != 0 && limits.nodes.load() >= limits.nodeLimit) limits.reached = true;
    return line;
}

}  // namespace keldra::prover
