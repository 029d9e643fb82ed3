// The proof of a problem: every black first move is proved on its own, first
// with white as ko master, then the ones that did not kill with black as ko
// master. The proofs run in slices that the threads take by promise (the
// smallest proof number); the threads share the transposition table, the
// read-only set-up and the limits.
#include "prover/prover.h"

#include <algorithm>
#include <condition_variable>
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

constexpr std::uint64_t FirstRoundBudget = 50'000;

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

// Proves black's first move `point` from `root` under `rules`, within the
// searcher's solve budget.
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
    p.pn = v.pn;
    if (v.pn == 0) {
        if (s.verifyBlackWin(path.data(), 2) >= 0) {
            p.outcome = MoveOutcome::Proved;
        } else if (rules.salt == 0 && !s.verifyCut() && !s.limitsReached()) {
            p.ownKeys = true;
        }
    } else if (v.disproved()) {
        p.outcome = MoveOutcome::Disproved;
        p.refutation = s.bestMove();
    }
    return p;
}

// Every first move's proof, in slices the threads share out. A task is a
// first move under one ko setting: white as ko master (a proof kills
// whatever the ko threats), then, once white refutes the move there, black
// as ko master. Each task first gets a slice of FirstRoundBudget; after that
// the most promising unfinished task, the one with the smallest proof
// number, gets a slice as large as all its work so far, on whichever thread
// is free: the table they share holds that work. So a kill is found early,
// and one hard move cannot hold up the easy ones. A thread with nothing else to do proves a ko task
// ahead; it counts only once white's refutation is proved.
class SlicedProofs {
public:
    SlicedProofs(const ProblemSetup& setup, const SearchNode& root, const std::vector<int>& firsts,
                 std::vector<std::unique_ptr<Searcher>>& searchers, SearchLimits& limits,
                 std::vector<RootResult>& results, const std::function<void(int)>& report)
        : setup_(setup), root_(root), firsts_(firsts), searchers_(searchers), limits_(limits),
          results_(results), report_(report), n_(static_cast<int>(firsts.size())),
          tasks_(static_cast<std::size_t>(2 * n_)), clean_(static_cast<std::size_t>(n_)),
          ko_(static_cast<std::size_t>(n_)), koReady_(static_cast<std::size_t>(n_), 0),
          reported_(static_cast<std::size_t>(n_), 0) {
        for (int i = 0; i < n_; ++i) tasks_[static_cast<std::size_t>(n_ + i)].ko = true;
    }

    // Runs until every task is done or a limit ends them; then reports the
    // first moves not yet reported.
    void run() {
        std::vector<std::thread> pool;
        for (int t = 1; t < static_cast<int>(searchers_.size()); ++t) pool.emplace_back([this, t] { work(t); });
        work(0);
        for (auto& t : pool) t.join();
        for (auto& s : searchers_) s->setSolveBudget(0);
        for (int i = 0; i < n_; ++i)
            if (!reported_[static_cast<std::size_t>(i)]) report_(i);
    }

    MoveOutcome cleanOutcome(int i) const { return clean_[static_cast<std::size_t>(i)].outcome; }

private:
    struct Task {
        bool ko = false;
        bool busy = false, done = false;
        int slices = 0;
        std::uint32_t pn = 1;
        std::uint64_t salt = 0;   // keys of its own, once a shared-key proof did not hold up
        std::uint64_t spent = 0;
    };

    // The next task; -1 when none is free. `ahead`: also a ko
    // task whose move white has not refuted yet.
    int pick(bool ahead) const {
        int chosen = -1;
        double best = 0;
        for (int k = 0; k < 2 * n_; ++k) {
            const Task& task = tasks_[static_cast<std::size_t>(k)];
            if (task.done || task.busy || (task.ko && !ahead && !koReady_[static_cast<std::size_t>(k - n_)])) continue;
            // Untried tasks first (clean before ko), then the smallest proof
            // number (a ko proof counts double: a clean kill says more).
            const double key = task.slices == 0 ? (task.ko ? -1.0 : -2.0)
                                                : static_cast<double>(task.pn) * (task.ko ? 2.0 : 1.0);
            if (chosen < 0 || key < best) chosen = k, best = key;
        }
        return chosen;
    }

    // Takes the next task with its budget and rules; -1 when the thread is
    // done.
    int take(std::uint64_t& budget, SearchRules& rules) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            // A slice that ends inside the table counts too few nodes to
            // look at the clock: look here.
            if (limits_.overdue()) limits_.reached = true;
            if (limits_.reached.load()) break;
            int k = pick(false);
            if (k < 0) k = pick(true);
            if (k >= 0) {
                Task& task = tasks_[static_cast<std::size_t>(k)];
                task.busy = true;
                budget = std::max(FirstRoundBudget, task.spent);
                rules = SearchRules{task.ko ? Black : White, false, task.salt};
                return k;
            }
            // Nothing free now; a running task may still hand out a ko
            // task, so wait while some thread is working.
            bool anyBusy = false;
            for (const Task& task : tasks_) anyBusy |= task.busy;
            if (!anyBusy) break;
            taskEnded_.wait(lock);
        }
        taskEnded_.notify_all();
        return -1;
    }

    // Records a slice's result (under the lock).
    void finish(int k, const MoveProof& p) {
        const int i = k % n_;
        const auto ii = static_cast<std::size_t>(i);
        Task& task = tasks_[static_cast<std::size_t>(k)];
        task.busy = false;
        ++task.slices;
        task.spent += p.nodes;
        task.pn = p.pn;
        RootResult& r = results_[ii];
        r.nodes += p.nodes;
        (task.ko ? ko_ : clean_)[ii] = p;
        if (p.ownKeys) {
            task.salt = 0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(k + 1);
            task.pn = 1;
        } else if (p.outcome == MoveOutcome::Unknown && p.pn == 0) {
            // Proved but not held up with keys of its own: another slice
            // would find the same proof in the table.
            task.done = true;
        }
        if (p.outcome == MoveOutcome::Unknown) return;
        task.done = true;
        Task& koTask = tasks_[static_cast<std::size_t>(n_ + i)];
        if (!task.ko && p.outcome == MoveOutcome::Proved) {
            r.status = FirstMoveStatus::Kills;
            koTask.done = true;  // a kill outright: the ko proof says nothing more
            reported_[ii] = 1;
            report_(i);
            return;
        }
        if (!task.ko) koReady_[ii] = 1;
        // The ko proof decides once white's refutation with white as ko
        // master is proved, whichever ended first.
        if (clean_[ii].outcome != MoveOutcome::Disproved || !koTask.done || ko_[ii].outcome == MoveOutcome::Unknown)
            return;
        if (ko_[ii].outcome == MoveOutcome::Proved) {
            r.status = FirstMoveStatus::KillsByKo;
        } else {
            r.status = FirstMoveStatus::Refuted;
            r.refutation = moveOf(ko_[ii].refutation < 0 ? PassMove : ko_[ii].refutation, White);
        }
        reported_[ii] = 1;
        report_(i);
    }

    void work(int t) {
        Searcher& s = *searchers_[static_cast<std::size_t>(t)];
        for (;;) {
            std::uint64_t budget = 0;
            SearchRules rules;
            const int k = take(budget, rules);
            if (k < 0) return;
            s.setSolveBudget(budget);
            const MoveProof p = proveFirstMove(s, setup_, rules, root_, firsts_[static_cast<std::size_t>(k % n_)]);
            std::lock_guard<std::mutex> lock(mutex_);
            taskEnded_.notify_all();
            finish(k, p);
        }
    }

    const ProblemSetup& setup_;
    const SearchNode& root_;
    const std::vector<int>& firsts_;
    std::vector<std::unique_ptr<Searcher>>& searchers_;
    SearchLimits& limits_;
    std::vector<RootResult>& results_;
    const std::function<void(int)>& report_;
    const int n_;
    std::vector<Task> tasks_;  // clean i, ko n + i
    std::vector<MoveProof> clean_, ko_;
    std::vector<std::uint8_t> koReady_, reported_;
    std::mutex mutex_;
    std::condition_variable taskEnded_;
};

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
    ProofTable table(options.tableBytes);
    std::vector<std::unique_ptr<Searcher>> searchers;
    for (int t = 0; t < threads; ++t) searchers.push_back(std::make_unique<Searcher>(setup, table));
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
    SlicedProofs proofs(setup, root, firsts, searchers, limits, result.firstMoves, report);
    proofs.run();

    bool cleanUnknown = false, koUnknown = false;
    for (const RootResult& r : result.firstMoves) {
        if (r.status == FirstMoveStatus::Kills) result.kills.push_back(r.move);
        if (r.status == FirstMoveStatus::KillsByKo) result.koKills.push_back(r.move);
        if (r.status == FirstMoveStatus::Unknown) {
            // Unknown either before the ko run (so it may kill outright) or in it.
            const auto i = static_cast<std::size_t>(&r - result.firstMoves.data());
            (proofs.cleanOutcome(i) == MoveOutcome::Unknown ? cleanUnknown : koUnknown) = true;
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
    const SearchRules whiteMaster{White, false};
    const SearchRules blackMaster{Black, false};
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
        std::vector<int> rest;
        if (TerminalOf(path[1], point, false, setup, rules, fs) != Outcome::BlackWins) {
            s.solve(path.data(), 2);
            rest = s.provedLine(path.data(), 2);
        }
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
    ProofTable table(options.tableBytes);
    Searcher s(setup, table);
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
