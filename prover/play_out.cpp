// Dead eye spaces played out with a search of their own: its own table, and
// the set-up with the recognition off.
#include "prover/play_out.h"

namespace keldra::prover {

namespace {

// The table of one play-out: a dead space of five points at most, so a
// small one holds its proof.
constexpr std::size_t PlayOutTableBytes = 8u << 20;

}  // namespace

std::vector<int> PlayOutDeadSpace(const ProblemSetup& setup, const SearchNode* path, int length,
                                  const SearchRules& rules, SearchLimits& limits) {
    ProblemSetup full = setup;
    full.deadEyeSpaces = false;
    ProofTable table(PlayOutTableBytes);
    Searcher s(full, table);
    s.setLimits(&limits);
    s.setRules(rules);
    if (s.solve(path, length).pn != 0) return {};
    return s.provedLine(path, length);
}

}  // namespace keldra::prover
