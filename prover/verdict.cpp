// The verdict's rule and its names.
#include "prover/verdict.h"

namespace keldra::prover {

const char* VerdictToken(Verdict v) {
    switch (v) {
        case Verdict::Kill: return "kill";
        case Verdict::KillByKo: return "ko";
        case Verdict::Alive: return "alive";
        case Verdict::Seki: return "seki";
        case Verdict::Unknown: break;
    }
    return "unknown";
}

Verdict VerdictOf(const std::vector<RootResult>& firstMoves, const std::vector<MoveOutcome>& clean,
                  ProveResult& result) {
    bool cleanUnknown = false, koUnknown = false;
    for (std::size_t i = 0; i < firstMoves.size(); ++i) {
        const RootResult& r = firstMoves[i];
        if (r.status == FirstMoveStatus::Kills) result.kills.push_back(r.move);
        if (r.status == FirstMoveStatus::KillsByKo) result.koKills.push_back(r.move);
        if (r.status != FirstMoveStatus::Unknown) continue;
        result.open.push_back(r.move);
        // Unknown either before the ko run (so it may kill outright) or in it.
        (clean[i] == MoveOutcome::Unknown ? cleanUnknown : koUnknown) = true;
    }
    if (!result.kills.empty()) return Verdict::Kill;
    if (cleanUnknown) return Verdict::Unknown;
    if (!result.koKills.empty()) return Verdict::KillByKo;
    if (koUnknown) return Verdict::Unknown;
    return Verdict::Alive;
}

}  // namespace keldra::prover
