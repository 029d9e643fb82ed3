// Counting the ko threats of the ko kills, and ranking them.
#include "prover/ko_status.h"

#include <algorithm>
#include <climits>

namespace keldra::prover {

namespace {

constexpr std::uint64_t KoStatusSalt = 0xC2B2AE3D27D4EB4Full;

// Whether black's first move `point` kills when black starts with `black`
// threats and white with `white`, nobody ko master; Unknown when a limit
// ends the proof.
MoveOutcome killsWith(const ProblemSetup& setup, const SearchNode& root, int point, FirstMoveSearch& search,
                      Searcher& checker, int black, int white) {
    SearchRules rules{Empty, false, 0, false, true, static_cast<std::uint8_t>(black), static_cast<std::uint8_t>(white)};
    MoveProof p = ProveFirstMove(search, checker, setup, rules, root, point, 0);
    if (p.ownKeys) {
        // The proof leaned on entries made under another history: once more
        // with keys of its own.
        rules.salt = KoStatusSalt;
        p = ProveFirstMove(search, checker, setup, rules, root, point, 0);
    }
    return p.outcome;
}

}  // namespace

void CountKoThreats(const ProblemSetup& setup, const SearchNode& root, const std::vector<int>& firsts,
                    FirstMoveSearch& search, Searcher& checker, std::vector<RootResult>& results) {
    for (std::size_t i = 0; i < results.size(); ++i) {
        RootResult& r = results[i];
        if (r.status != FirstMoveStatus::KillsByKo) continue;
        const int point = firsts[i];
        const auto kills = [&](int black, int white) {
            return killsWith(setup, root, point, search, checker, black, white);
        };
        // More threats only help their side: the first budget that turns
        // the result is the count.
        const MoveOutcome even = kills(0, 0);
        if (even == MoveOutcome::Unknown) continue;
        const bool blackTakes = even == MoveOutcome::Proved;
        const MoveOutcome turns = blackTakes ? MoveOutcome::Disproved : MoveOutcome::Proved;
        int needs = MoreThreats;
        bool cut = false;
        for (int k = 1; k <= CountedThreats; ++k) {
            const MoveOutcome o = blackTakes ? kills(0, k) : kills(k, 0);
            if (o == MoveOutcome::Unknown) {
                cut = true;
                break;
            }
            if (o == turns) {
                needs = k;
                break;
            }
        }
        if (cut) continue;
        r.blackNeeds = blackTakes ? 0 : needs;
        r.whiteNeeds = blackTakes ? needs : 0;
    }
}

void RankKoKills(const std::vector<RootResult>& firstMoves, ProveResult& result) {
    int best = INT_MIN;
    for (const RootResult& r : firstMoves)
        if (r.status == FirstMoveStatus::KillsByKo && r.koCounted()) best = std::max(best, r.koAdvantage());
    result.koKills.clear();
    result.weakerKo.clear();
    for (const RootResult& r : firstMoves) {
        if (r.status != FirstMoveStatus::KillsByKo) continue;
        const bool weaker = r.koCounted() && r.koAdvantage() < best;
        (weaker ? result.weakerKo : result.koKills).push_back(r.move);
    }
}

}  // namespace keldra::prover
