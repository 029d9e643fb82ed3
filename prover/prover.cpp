// The proof of a problem: every black first move is proved on its own, first
// with white as ko master, then the ones that did not kill with black as ko
// master; the threads take first moves from a shared counter and share
// nothing else but the read-only set-up and the limits.
#include "prover/prover.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <thread>

#include "prover/dfpn.h"

namespace keldra::prover {

namespace {

ProverMove moveOf(int point, std::uint8_t colour) {
    if (point == PassMove) return ProverMove{0, 0, colour};
    return ProverMove{static_cast<std::uint8_t>(PointX(point)), static_cast<std::uint8_t>(PointY(point)), colour};
}

void setLimits(SearchLimits& limits, const ProveOptions& options, const std::atomic<bool>* stop,
               std::chrono::steady_clock::time_point start) {
    limits.nodeLimit = options.nodeLimit;
    if (options.seconds > 0)
        limits.deadline = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(options.seconds));
    limits.stopRequested = stop;
}

enum class MoveOutcome { Proved, Disproved, Unknown };

constexpr std::uint64_t FirstRoundBudget = 200'000;

struct MoveProof {
    MoveOutcome outcome = MoveOutcome::Unknown;
    int refutation = -1;
    std::uint64_t nodes = 0;
};

// Proves black's first move `point` from `root` under the searcher's rules.
MoveProof proveFirstMove(Searcher& s, const ProblemSetup& setup, const SearchRules& rules, const SearchNode& root,
                         int point) {
    MoveProof p;
    if (s.limitsReached()) return p;
    std::array<SearchNode, 2> path{root, root};
    FillScratch fs;
    PlayInto(root, point, path[1], setup, rules, fs, true);
    const Outcome o = TerminalOf(path[1], point, false, setup, rules, fs);
    if (o == Outcome::BlackWins) {
        p.outcome = MoveOutcome::Proved;
        return p;
    }
    if (o == Outcome::WhiteWins) {
        p.outcome = MoveOutcome::Disproved;
        return p;
    }
    const std::uint64_t before = s.nodes();
    s.setRules(rules);
    const ProofValues v = s.solve(path.data(), 2);
    p.nodes = s.nodes() - before;
    if (v.pn == 0) {
        if (s.verifyBlackWin(path.data(), 2) >= 0) {
            p.outcome = MoveOutcome::Proved;
        } else if (rules.salt == 0 && !s.limitsReached()) {
            // The proof leaned on table entries made under another history
            // (another first move's path, where other positions repeat).
            // Prove the move again in a table space of its own.
            SearchRules own = rules;
            own.salt = 0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(point + 1);
            const MoveProof again = proveFirstMove(s, setup, own, root, point);
            s.setRules(rules);
            p.outcome = again.outcome == MoveOutcome::Proved ? MoveOutcome::Proved : MoveOutcome::Unknown;
            p.nodes += again.nodes;
        }
    } else if (v.disproved()) {
        p.outcome = MoveOutcome::Disproved;
        p.refutation = s.bestMove();
    }
    return p;
}

// Runs `work(searcher, item)` for every item on `threads` threads, each with
// its own searcher.
template <class Work>
void runOnThreads(std::vector<std::unique_ptr<Searcher>>& searchers, int items, Work work) {
    std::atomic<int> next{0};
    auto loop = [&](Searcher& s) {
        for (int i = next++; i < items; i = next++) work(s, i);
    };
    const int threads = std::min(static_cast<int>(searchers.size()), std::max(items, 1));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(loop, std::ref(*searchers[static_cast<std::size_t>(t)]));
    loop(*searchers[0]);
    for (auto& t : pool) t.join();
}

}  // namespace

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

ProveResult Prove(const Board& board, const ProveOptions& options, const std::atomic<bool>* stopRequested,
                  std::function<void(const RootResult&)> onRootFinished) {
    const auto start = std::chrono::steady_clock::now();
    ProveResult result;
    const ProblemSetup setup = SetupOf(board, Black);
    if (!setup.hasTarget) return result;
    const SearchNode root = RootNode(board, setup, Black);

    std::vector<int> firsts;
    {
        FillScratch fs;
        SearchNode child;
        for (int k = 0; k < setup.moveCount; ++k) {
            const int p = setup.moves[static_cast<std::size_t>(k)];
            if (PlayInto(root, p, child, setup, SearchRules{}, fs, true)) firsts.push_back(p);
        }
    }
    const int threads = std::max(1, std::min(options.threads, std::max(1, static_cast<int>(firsts.size()))));
    std::vector<std::unique_ptr<Searcher>> searchers;
    for (int t = 0; t < threads; ++t)
        searchers.push_back(std::make_unique<Searcher>(setup, options.tableBytes / static_cast<std::size_t>(threads)));
    for (const auto& s : searchers) result.tableBytes += s->tableBytes();

    SearchLimits limits;
    setLimits(limits, options, stopRequested, start);
    for (auto& s : searchers) s->setLimits(&limits);

    const int n = static_cast<int>(firsts.size());
    result.firstMoves.resize(static_cast<std::size_t>(n));
    std::mutex reportMutex;
    auto report = [&](int i) {
        if (!onRootFinished) return;
        std::lock_guard<std::mutex> lock(reportMutex);
        onRootFinished(result.firstMoves[static_cast<std::size_t>(i)]);
    };

    // White as ko master: a proof here kills whatever the ko threats.
    const SearchRules whiteMaster{White, false};
    const SearchRules blackMaster{Black, false};
    // Rounds with a growing budget per first move, so that one hard move
    // cannot hold up the easy ones; the last round has no budget.
    std::vector<MoveProof> clean(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) result.firstMoves[static_cast<std::size_t>(i)].move = moveOf(firsts[static_cast<std::size_t>(i)], Black);
    std::vector<int> pending(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) pending[static_cast<std::size_t>(i)] = i;
    for (const std::uint64_t budget : {FirstRoundBudget, FirstRoundBudget * 8, FirstRoundBudget * 64, std::uint64_t{0}}) {
        for (auto& s : searchers) s->setSolveBudget(budget);
        const bool last = budget == 0;
        runOnThreads(searchers, static_cast<int>(pending.size()), [&](Searcher& s, int j) {
            const int i = pending[static_cast<std::size_t>(j)];
            const auto ii = static_cast<std::size_t>(i);
            const MoveProof p = proveFirstMove(s, setup, whiteMaster, root, firsts[ii]);
            RootResult& r = result.firstMoves[ii];
            r.nodes += p.nodes;
            clean[ii].outcome = p.outcome;
            clean[ii].refutation = p.refutation;
            if (p.outcome == MoveOutcome::Proved) {
                r.status = FirstMoveStatus::Kills;
                report(i);
            } else if (p.outcome == MoveOutcome::Unknown && last) {
                report(i);
            }
        });
        std::vector<int> still;
        for (const int i : pending)
            if (clean[static_cast<std::size_t>(i)].outcome == MoveOutcome::Unknown) still.push_back(i);
        pending.swap(still);
        if (pending.empty() || limits.reached.load()) break;
    }
    for (auto& s : searchers) s->setSolveBudget(0);

    // Black as ko master, for the moves white refuted above.
    std::vector<int> again;
    for (int i = 0; i < n; ++i)
        if (clean[static_cast<std::size_t>(i)].outcome == MoveOutcome::Disproved) again.push_back(i);
    std::vector<MoveProof> ko(static_cast<std::size_t>(n));
    runOnThreads(searchers, static_cast<int>(again.size()), [&](Searcher& s, int j) {
        const int i = again[static_cast<std::size_t>(j)];
        const auto ii = static_cast<std::size_t>(i);
        ko[ii] = proveFirstMove(s, setup, blackMaster, root, firsts[ii]);
        RootResult& r = result.firstMoves[ii];
        r.nodes += ko[ii].nodes;
        if (ko[ii].outcome == MoveOutcome::Proved) {
            r.status = FirstMoveStatus::KillsByKo;
        } else if (ko[ii].outcome == MoveOutcome::Disproved) {
            r.status = FirstMoveStatus::Refuted;
            r.refutation = moveOf(ko[ii].refutation < 0 ? PassMove : ko[ii].refutation, White);
        }
        report(i);
    });

    bool cleanUnknown = false, koUnknown = false;
    for (const RootResult& r : result.firstMoves) {
        if (r.status == FirstMoveStatus::Kills) result.kills.push_back(r.move);
        if (r.status == FirstMoveStatus::KillsByKo) result.koKills.push_back(r.move);
        if (r.status == FirstMoveStatus::Unknown) {
            // Unknown either before the ko run (so it may kill outright) or in it.
            const auto i = static_cast<std::size_t>(&r - result.firstMoves.data());
            (clean[i].outcome == MoveOutcome::Unknown ? cleanUnknown : koUnknown) = true;
        }
    }
    if (!result.kills.empty()) {
        result.verdict = Verdict::Kill;
    } else if (cleanUnknown) {
        result.verdict = Verdict::Unknown;
    } else if (!result.koKills.empty()) {
        result.verdict = Verdict::KillByKo;
    } else if (koUnknown) {
        result.verdict = Verdict::Unknown;
    } else {
        result.verdict = Verdict::Alive;
    }

    // The main line, and the seki test, on the first searcher.
    Searcher& s = *searchers[0];
    SearchLimits late;
    ProveOptions lateOptions = options;
    lateOptions.seconds = options.seconds > 0 ? std::max(0.2, options.seconds * 0.25) : 0;
    lateOptions.nodeLimit = options.nodeLimit == 0 ? 0 : std::max<std::uint64_t>(options.nodeLimit / 4, 100'000);
    setLimits(late, lateOptions, stopRequested, std::chrono::steady_clock::now());
    s.setLimits(&late);
    if (result.verdict == Verdict::Kill || result.verdict == Verdict::KillByKo) {
        const ProverMove first = result.verdict == Verdict::Kill ? result.kills.front() : result.koKills.front();
        const SearchRules rules = result.verdict == Verdict::Kill ? whiteMaster : blackMaster;
        std::array<SearchNode, 2> path{root, root};
        FillScratch fs;
        const int point = IndexOf(first.x, first.y);
        PlayInto(root, point, path[1], setup, rules, fs, true);
        s.setRules(rules);
        if (TerminalOf(path[1], point, false, setup, rules, fs) != Outcome::BlackWins) s.solve(path.data(), 2);
        std::vector<int> rest = TerminalOf(path[1], point, false, setup, rules, fs) == Outcome::BlackWins
                                    ? std::vector<int>{}
                                    : s.provedLine(path.data(), 2);
        result.line.push_back(first);
        std::uint8_t colour = White;
        for (const int m : rest) {
            result.line.push_back(moveOf(m, colour));
            colour = colour == White ? Black : White;
        }
    } else if (result.verdict == Verdict::Alive) {
        // Seki: white lives, but not when two passes in a row count for black.
        const SearchRules strict{Black, true};
        s.setRules(strict);
        const ProofValues v = s.solve(&root, 1);
        if (v.pn == 0 && s.verifyBlackWin(&root, 1) >= 0) result.verdict = Verdict::Seki;
    }
    result.nodes = limits.nodes.load() + late.nodes.load();
    result.limitReached = limits.reached.load();
    return result;
}

ProverAnswer WhiteAnswer(const Board& board, const ProveOptions& options, const std::atomic<bool>* stopRequested) {
    ProverAnswer answer;
    const ProblemSetup setup = SetupOf(board, White);
    if (!setup.hasTarget) {
        answer.kind = AnswerKind::NoTarget;
        return answer;
    }
    const SearchNode root = RootNode(board, setup, White);
    SearchLimits limits;
    setLimits(limits, options, stopRequested, std::chrono::steady_clock::now());
    Searcher s(setup, options.tableBytes);
    s.setLimits(&limits);
    // First a refutation that holds even against black's ko threats, then
    // one that needs white's; else the longest resistance.
    for (const std::uint8_t master : {Black, White}) {
        s.setRules(SearchRules{master, false});
        const ProofValues v = s.solve(&root, 1);
        answer.nodes = limits.nodes.load();
        if (v.disproved()) {
            answer.kind = AnswerKind::Refutes;
            answer.move = moveOf(s.bestMove() < 0 ? PassMove : s.bestMove(), White);
            answer.needsKo = master == White;
            return answer;
        }
        if (v.pn != 0) return answer;  // unknown, or a disproof cut off too deep
    }
    const int m = s.longestResistance(&root, 1);
    if (m >= 0) {
        answer.kind = AnswerKind::Resists;
        answer.move = moveOf(m, White);
    }
    return answer;
}

}  // namespace keldra::prover
