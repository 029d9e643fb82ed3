// The proof of a problem: every black first move is proved on its own (the
// scheduling in first_move_schedule.cpp), the verdict follows from their
// results, then the main line of the first kill or the seki test; and
// white's answer to a black move.
#include "prover/prover.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "prover/dfpn.h"
#include "prover/eye_space.h"
#include "prover/first_move.h"
#include "prover/first_move_schedule.h"
#include "prover/play_out.h"
#include "prover/ko_status.h"
#include "prover/proof_tree.h"
#include "prover/verdict.h"

namespace keldra::prover {

namespace {

// Seconds the main line or the seki test may run past the deadline at most.
constexpr double LateMinimum = 0.2;
// Positions at most for playing the main line's dead eye space out.
constexpr std::uint64_t PlayOutNodes = 200'000;

ProverMove moveOf(int point, std::uint8_t colour) {
    if (point == PassMove) return ProverMove{0, 0, colour};
    return ProverMove{static_cast<std::uint8_t>(PointX(point)), static_cast<std::uint8_t>(PointY(point)), colour};
}

// The grid index of the white stone the options name as the target; 0 for
// none.
int namedPoint(const ProveOptions& options) {
    if (options.targetX < 1 || options.targetX > BoardSide || options.targetY < 1 || options.targetY > BoardSide) return 0;
    return IndexOf(options.targetX, options.targetY);
}

// The set-up of `board` under `options`: its frame's when one is set.
ProblemSetup setupOf(const Board& board, std::uint8_t toMove, const ProveOptions& options) {
    ProblemSetup setup = SetupOf(board, toMove, namedPoint(options), options.areaMargin, &options.frame);
    setup.deadEyeSpaces = options.deadEyeSpaces;
    return setup;
}

void setLimits(SearchLimits& limits, const ProveOptions& options, const std::atomic<bool>* stop,
               std::chrono::steady_clock::time_point start) {
    limits.nodeLimit = options.nodeLimit;
    limits.started = start;
    if (options.seconds > 0)
        limits.deadline = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(options.seconds));
    limits.stopRequested = stop;
}

}  // namespace

ProveResult Prove(const Board& board, const ProveOptions& options, const std::atomic<bool>* stopRequested,
                  std::function<void(const RootResult&)> onRootFinished) {
    const auto start = std::chrono::steady_clock::now();
    ProveResult result;
    const ProblemSetup setup = setupOf(board, Black, options);
    result.frame = options.frame.set ? options.frame : FrameOfSetup(setup, board);
    if (!setup.hasTarget) return result;
    result.target = moveOf(setup.targetPoint, White);
    if (setup.escaped) {
        // The target already joined a safe stone or reached the ring.
        result.verdict = Verdict::Alive;
        return result;
    }
    const SearchNode root = RootNode(board, setup, Black);

    // Every move black may play as ko master: a move that the board's ko
    // mark bars is refuted with white as ko master, and proved again with
    // black as ko master.
    const std::vector<int> firsts = FirstMovesOf(root, setup, SearchRules{Black, false});
    const int threads = std::max(1, std::min(options.threads, std::max(1, static_cast<int>(firsts.size()))));
    ProofTable table(options.tableBytes);
    std::vector<std::unique_ptr<Searcher>> searchers;
    std::vector<std::unique_ptr<DfpnFirstMove>> searches;
    std::vector<FirstMoveWorker> workers;
    for (int t = 0; t < threads; ++t) {
        searchers.push_back(std::make_unique<Searcher>(setup, table));
        searches.push_back(std::make_unique<DfpnFirstMove>(*searchers.back()));
        workers.push_back(FirstMoveWorker{searches.back().get(), searchers.back().get()});
    }
    result.tableBytes = table.bytes();

    SearchLimits limits;
    setLimits(limits, options, stopRequested, start);
    for (auto& s : searchers) s->setLimits(&limits);

    const int n = static_cast<int>(firsts.size());
    result.firstMoves.resize(static_cast<std::size_t>(n));
    std::mutex reportMutex;
    const std::function<void(int)> report = [&](int i) {
        if (!onRootFinished) return;
        std::lock_guard<std::mutex> lock(reportMutex);
        onRootFinished(result.firstMoves[static_cast<std::size_t>(i)]);
    };

    for (int i = 0; i < n; ++i) result.firstMoves[static_cast<std::size_t>(i)].move = moveOf(firsts[static_cast<std::size_t>(i)], Black);
    const std::vector<MoveOutcome> clean = ProveFirstMoves(setup, root, firsts, workers, limits, result.firstMoves, report);
    result.verdict = VerdictOf(result.firstMoves, clean, result);

    // The ko status of the ko kills, on the first searcher, in the time and
    // nodes the main proofs left.
    SearchLimits koLimits;
    koLimits.deadline = limits.deadline;
    koLimits.stopRequested = stopRequested;
    const std::uint64_t used = limits.nodes.load();
    const bool koTime = !limits.reached.load() && (options.nodeLimit == 0 || used < options.nodeLimit);
    if (koTime && !result.koKills.empty()) {
        koLimits.nodeLimit = options.nodeLimit == 0 ? 0 : options.nodeLimit - used;
        searchers[0]->setLimits(&koLimits);
        CountKoThreats(setup, root, firsts, *searches[0], *searchers[0], result.firstMoves);
        RankKoKills(result.firstMoves, result);
    }

    // The main line, and the seki test, on the first searcher.
    const SearchRules whiteMaster{White, false, 0, true};
    const SearchRules blackMaster{Black, false};
    Searcher& s = *searchers[0];
    // They get a quarter of the limits, within what the main proofs left:
    // the whole proof ends by its deadline, or a moment (LateMinimum) after
    // it where the proofs used all of it, so that the main line of a kill
    // found just in time is still walked out of the table.
    SearchLimits late;
    ProveOptions lateOptions = options;
    if (options.seconds > 0) {
        const double left = std::chrono::duration<double>(limits.deadline - std::chrono::steady_clock::now()).count();
        lateOptions.seconds = std::max(LateMinimum, std::min(options.seconds * 0.25, left));
    }
    lateOptions.nodeLimit = options.nodeLimit == 0 ? 0 : std::max<std::uint64_t>(options.nodeLimit / 4, 100'000);
    setLimits(late, lateOptions, stopRequested, std::chrono::steady_clock::now());
    s.setLimits(&late);
    if (result.verdict == Verdict::Kill || result.verdict == Verdict::KillByKo) {
        const ProverMove first = result.verdict == Verdict::Kill ? result.kills.front() : result.koKills.front();
        const SearchRules rules = result.verdict == Verdict::Kill ? whiteMaster : blackMaster;
        std::array<SearchNode, 2> path{root, root};
        FillScratch fs;
        const int point = IndexOf(first.x, first.y);
        bool waited = false;
        FirstMovePosition(root, point, setup, rules, fs, path[1], waited);
        s.setRules(rules);
        std::vector<int> rest;
        if (waited || TerminalOf(path[1], point, false, setup, rules, fs) != Outcome::BlackWins) {
            s.solve(path.data(), 2);
            rest = s.provedLine(path.data(), 2);
        }
        // Where the board's ko mark bars the move, black waits first: a pass.
        result.line.push_back(waited ? ProverMove{0, 0, Black} : first);
        // The side to move of each position: white moves twice where it
        // resolves a ko.
        std::vector<SearchNode> walked{root, path[1]};
        const auto follow = [&](const std::vector<int>& moves) {
            for (const int m : moves) {
                result.line.push_back(moveOf(m, walked.back().toMove));
                SearchNode next;
                PlayInto(walked.back(), m, next, setup, rules, fs, false);
                walked.push_back(next);
            }
        };
        follow(rest);
        // A line that ends on a dead eye space is played on to the capture.
        const bool ended = !rest.empty() || (!waited && TerminalOf(path[1], point, false, setup, rules, fs) == Outcome::BlackWins);
        if (ended && walked.back().targets != 0 && !walked.back().escaped)
            follow(PlayOutDeadSpace(setup, walked.data(), static_cast<int>(walked.size()), rules, late, PlayOutNodes));
    } else if (result.verdict == Verdict::Alive) {
        // Seki: white lives, but not when two passes in a row count for black.
        const SearchRules strict{Black, true};
        s.setRules(strict);
        const ProofValues v = s.solve(&root, 1);
        if (v.pn == 0 && s.verifyBlackWin(&root, 1) >= 0) result.verdict = Verdict::Seki;
    }
    if (options.treeNodes > 0) result.tree = BuildProofTree(setup, root, table, result.firstMoves, options.treeNodes);
    result.nodes = limits.nodes.load() + koLimits.nodes.load() + late.nodes.load();
    result.limitReached = limits.reached.load();
    return result;
}

ProblemFrame FrameOf(const Board& board, const ProveOptions& options) {
    return FrameOfSetup(SetupOf(board, Black, namedPoint(options), options.areaMargin), board);
}

ProverAnswer WhiteAnswer(const Board& board, const ProveOptions& options, const std::atomic<bool>* stopRequested) {
    ProverAnswer answer;
    ProblemSetup setup = setupOf(board, White, options);
    if (!setup.hasTarget) {
        answer.kind = AnswerKind::NoTarget;
        return answer;
    }
    if (setup.escaped) {
        answer.kind = AnswerKind::Refutes;  // white has escaped: any move, a pass, keeps it out
        return answer;
    }
    const SearchNode root = RootNode(board, setup, White);
    // Where black's move left a dead eye space, white's longest resistance
    // is measured with the space played out, not to the recognition.
    FillScratch fs;
    if (setup.deadEyeSpaces && DeadEyeSpace(root, setup, fs)) setup.deadEyeSpaces = false;
    SearchLimits limits;
    setLimits(limits, options, stopRequested, std::chrono::steady_clock::now());
    ProofTable table(options.tableBytes);
    Searcher s(setup, table);
    s.setLimits(&limits);
    // First a refutation that holds even against black's ko threats, then
    // one that needs white's; else the longest resistance.
    for (const std::uint8_t master : {Black, White}) {
        s.setRules(SearchRules{master, false, 0, master == White});
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
