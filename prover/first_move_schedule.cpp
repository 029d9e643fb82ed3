// The first moves' proofs in slices on worker threads.
#include "prover/first_move_schedule.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace keldra::prover {

namespace {

constexpr std::uint64_t FirstRoundBudget = 50'000;

ProverMove moveOf(int point, std::uint8_t colour) {
    if (point == PassMove) return ProverMove{0, 0, colour};
    return ProverMove{static_cast<std::uint8_t>(PointX(point)), static_cast<std::uint8_t>(PointY(point)), colour};
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
                 const std::vector<FirstMoveWorker>& workers, SearchLimits& limits,
                 std::vector<RootResult>& results, const std::function<void(int)>& report)
        : setup_(setup), root_(root), firsts_(firsts), workers_(workers), limits_(limits),
          results_(results), report_(report), n_(static_cast<int>(firsts.size())),
          tasks_(static_cast<std::size_t>(2 * n_)), clean_(static_cast<std::size_t>(n_)),
          ko_(static_cast<std::size_t>(n_)), koReady_(static_cast<std::size_t>(n_), 0),
          reported_(static_cast<std::size_t>(n_), 0), far_(static_cast<std::size_t>(n_), 0) {
        for (int i = 0; i < n_; ++i) tasks_[static_cast<std::size_t>(n_ + i)].ko = true;
        if (setup.hasOpenSide) {
            FillScratch fs;
            const PointMask reach = ReachOf(root, setup, fs);
            for (int i = 0; i < n_; ++i)
                far_[static_cast<std::size_t>(i)] = !WithinReach(firsts[static_cast<std::size_t>(i)], setup, reach);
        }
    }

    // Runs until every task is done or a limit ends them; then reports the
    // first moves not yet reported.
    void run() {
        std::vector<std::thread> pool;
        for (int t = 1; t < static_cast<int>(workers_.size()); ++t) pool.emplace_back([this, t] { work(t); });
        work(0);
        for (auto& t : pool) t.join();
        for (const FirstMoveWorker& w : workers_) w.checker->setSolveBudget(0);
        for (int i = 0; i < n_; ++i)
            if (!reported_[static_cast<std::size_t>(i)]) report_(i);
    }

    MoveOutcome cleanOutcome(int i) const { return clean_[static_cast<std::size_t>(i)].outcome; }

private:
    struct Task {
        bool ko = false;
        bool busy = false, done = false;
        bool helped = false;  // a second thread proves it too
        int slices = 0;
        std::uint32_t pn = 1;
        std::uint64_t salt = 0;   // keys of its own, once a shared-key proof did not hold up
        std::uint64_t spent = 0;
    };

    // Untried tasks first (those within the root's reach before the far
    // ones, clean before ko), then the smallest proof number (a ko proof
    // counts double: a clean kill says more; a far first move counts double
    // too: a move that does not touch the fight kills least often).
    double keyOf(int k) const {
        const Task& task = tasks_[static_cast<std::size_t>(k)];
        const bool far = far_[static_cast<std::size_t>(k % n_)] != 0;
        return task.slices == 0 ? (task.ko ? -1.0 : -2.0) - (far ? 0.0 : 2.0)
                                : static_cast<double>(task.pn) * (task.ko ? 2.0 : 1.0) * (far ? 2.0 : 1.0);
    }

    // The next task; -1 when none is free. `ahead`: also a ko
    // task whose move white has not refuted yet.
    int pick(bool ahead) const {
        int chosen = -1;
        double best = 0;
        for (int k = 0; k < 2 * n_; ++k) {
            const Task& task = tasks_[static_cast<std::size_t>(k)];
            if (task.done || task.busy || (task.ko && !ahead && !koReady_[static_cast<std::size_t>(k - n_)])) continue;
            const double key = keyOf(k);
            if (chosen < 0 || key < best) chosen = k, best = key;
        }
        return chosen;
    }

    // A task another thread is proving that this one should help with: the
    // most promising running one, past its first slice, where the best free
    // task `free` (-1: none) is an untried one no more and promises less
    // than half as much. -1 when none.
    int pickHelp(int free) const {
        if (free >= 0 && tasks_[static_cast<std::size_t>(free)].slices == 0) return -1;
        int chosen = -1;
        double best = 0;
        for (int k = 0; k < 2 * n_; ++k) {
            const Task& task = tasks_[static_cast<std::size_t>(k)];
            if (task.done || !task.busy || task.helped || task.slices == 0) continue;
            const double key = keyOf(k);
            if (chosen < 0 || key < best) chosen = k, best = key;
        }
        if (chosen >= 0 && free >= 0 && keyOf(free) <= 2.0 * best) return -1;
        return chosen;
    }

    // Takes the next task with its budget and rules; -1 when the thread is
    // done.
    int take(std::uint64_t& budget, SearchRules& rules, bool& helper) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            // A slice that ends inside the table counts too few nodes to
            // look at the clock: look here.
            if (limits_.overdue()) limits_.reached = true;
            if (limits_.reached.load()) break;
            int k = pick(false);
            if (k < 0) k = pick(true);
            helper = false;
            if (const int h = pickHelp(k); h >= 0) k = h, helper = true;
            if (k >= 0) {
                Task& task = tasks_[static_cast<std::size_t>(k)];
                (helper ? task.helped : task.busy) = true;
                // A far first move's first slice is a fifth of the others'.
                budget = std::max(far_[static_cast<std::size_t>(k % n_)] ? FirstRoundBudget / 5 : FirstRoundBudget, task.spent);
                rules = SearchRules{task.ko ? Black : White, false, task.salt, !task.ko};
                return k;
            }
            // Nothing free now; a running task may still hand out a ko
            // task, so wait while some thread is working.
            bool anyBusy = false;
            for (const Task& task : tasks_) anyBusy |= task.busy || task.helped;
            if (!anyBusy) break;
            taskEnded_.wait(lock);
        }
        taskEnded_.notify_all();
        return -1;
    }

    // Records a slice's result (under the lock).
    void finish(int k, const MoveProof& p, bool helper) {
        const int i = k % n_;
        const auto ii = static_cast<std::size_t>(i);
        Task& task = tasks_[static_cast<std::size_t>(k)];
        (helper ? task.helped : task.busy) = false;
        task.spent += p.nodes;
        RootResult& r = results_[ii];
        r.nodes += p.nodes;
        // The other thread settled the task first; or a helper's slice ended
        // unfinished, and the proof number that orders the tasks stays the
        // one of white's most promising defence.
        if (task.done || (helper && p.outcome == MoveOutcome::Unknown && !p.ownKeys)) return;
        ++task.slices;
        task.pn = p.pn;
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
            settle(i);
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
        settle(i);
    }

    // First move i's status is proved: it keeps when, and is reported.
    void settle(int i) {
        const auto ii = static_cast<std::size_t>(i);
        results_[ii].seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - limits_.started).count();
        reported_[ii] = 1;
        report_(i);
    }

    void work(int t) {
        const FirstMoveWorker& w = workers_[static_cast<std::size_t>(t)];
        for (;;) {
            std::uint64_t budget = 0;
            SearchRules rules;
            bool helper = false;
            const int k = take(budget, rules, helper);
            if (k < 0) return;
            const MoveProof p = ProveFirstMove(*w.search, *w.checker, setup_, rules, root_,
                                               firsts_[static_cast<std::size_t>(k % n_)], budget, helper);
            std::lock_guard<std::mutex> lock(mutex_);
            taskEnded_.notify_all();
            finish(k, p, helper);
        }
    }

    const ProblemSetup& setup_;
    const SearchNode& root_;
    const std::vector<int>& firsts_;
    const std::vector<FirstMoveWorker>& workers_;
    SearchLimits& limits_;
    std::vector<RootResult>& results_;
    const std::function<void(int)>& report_;
    const int n_;
    std::vector<Task> tasks_;  // clean i, ko n + i
    std::vector<MoveProof> clean_, ko_;
    std::vector<std::uint8_t> koReady_, reported_;
    std::vector<std::uint8_t> far_;  // first moves on the open side beyond the root's reach
    std::mutex mutex_;
    std::condition_variable taskEnded_;
};

}  // namespace

std::vector<MoveOutcome> ProveFirstMoves(const ProblemSetup& setup, const SearchNode& root,
                                         const std::vector<int>& firsts, const std::vector<FirstMoveWorker>& workers,
                                         SearchLimits& limits, std::vector<RootResult>& results,
                                         const std::function<void(int)>& report) {
    SlicedProofs proofs(setup, root, firsts, workers, limits, results, report);
    proofs.run();
    std::vector<MoveOutcome> clean;
    for (int i = 0; i < static_cast<int>(firsts.size()); ++i) clean.push_back(proofs.cleanOutcome(i));
    return clean;
}

}  // namespace keldra::prover
