// The root candidates of a hint searched ahead on worker threads. The caller
// walks the candidates in list order as a sequential loop would and takes
// each result when it is ready; the workers keep ahead of it. Each worker
// owns its searchers and its Position and starts every search from a copy
// of the job's start board, so nothing a worker writes during a search is
// shared. The pool runs any task function per candidate; it knows nothing
// of what a search computes.
//
// Most hints are over in well under a millisecond, less than it takes to
// wake a worker. So a job starts on the caller's own thread: the caller
// searches the tasks it waits for itself, up to a budget of nodes for the
// whole job. A search that would go past the budget is abandoned and the
// job goes to the workers from that task on; the caller has then spent at
// most the budget's time before the window gets its first repaint.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "BAN/board.h"
#include "solver/candidates.h"
#include "solver/count_search.h"
#include "solver/kill_search.h"
#include "solver/search_support.h"

namespace keldra {

// What a worker searches with: its searchers, its own Position and the
// job's start copied into them. A new kind of search adds its searcher here;
// the pool itself does not change.
struct RootWorkspace {
    KillSearcher kill;
    CountSearcher count;
    Position pos;       // the job's start board, reset for every task
    SearchStart start;  // built from the start board
    SolutionLine line;  // where a task records its line

    // Nodes of every search of this workspace so far.
    std::uint64_t nodes() const { return kill.nodes() + count.nodes(); }
    // Searches stop (unfinished) once `more` nodes from now are reached.
    void LimitNodes(std::uint64_t more) {
        kill.LimitNodes(kill.nodes() + more);
        count.LimitNodes(count.nodes() + more);
    }
    // Searches stop (unfinished) within a few thousand nodes once *stop is true.
    void StopWhen(const std::atomic<bool>* stop) {
        kill.StopWhen(stop);
        count.StopWhen(stop);
    }
};

// What one task found.
struct TaskResult {
    std::int64_t value = 0;  // a kill value (+1/-1) or a line count
    bool finished = true;    // false: a node limit or a stop ended the search
    bool endsJob = false;    // no later task of the job is needed (a first winner)
    bool hasLine = false;    // the workspace's line holds its line
};

// A task searches one root candidate on a workspace whose position and
// start hold the job's start.
using RootTask = std::function<TaskResult(RootWorkspace&, const CandidateEntry&)>;

// The kill search of the candidate at `ply` (1 black, 2 white); a winner
// ends the job and, with `keepLine`, keeps its line.
RootTask KillTask(int ply, bool keepLine);
// The line count of the candidate at `ply`.
RootTask CountTask(int ply);

class RootSearchPool {
public:
    static constexpr int MaxPasses = 2;
    static constexpr int MaxTasks = MaxPasses * MaxCandidates;

    // Nodes a job may search on the caller's thread: about a millisecond.
    static constexpr std::uint64_t DefaultInlineNodes = 3000;

    // `threads` workers (at least one); 0 takes one per hardware thread.
    // `inlineNodes` is the caller's budget per job; 0 hands every job to
    // the workers at once.
    explicit RootSearchPool(unsigned threads = 0, std::uint64_t inlineNodes = DefaultInlineNodes);
    // Waits for a search still running, then ends the workers.
    ~RootSearchPool();
    RootSearchPool(const RootSearchPool&) = delete;
    RootSearchPool& operator=(const RootSearchPool&) = delete;

    // Starts searching `list` from `start`, pass by pass; a job still
    // running is dropped (its results are no longer stored, its searches
    // stop).
    void Start(const Board& start, const CandidateList& list, const RootTask* passes, int passCount);
    // The same with `searchStart` already built from `start`.
    void Start(const Board& start, const SearchStart& searchStart, const CandidateList& list, const RootTask* passes,
               int passCount);
    // No worker starts another task of the current job; searches still
    // running stop within a few thousand nodes and their results are dropped.
    void Stop();

    // The task of candidate i (from 1) of pass p.
    int Task(int pass, int i) const { return pass * count_ + (i - 1); }
    // Waits at most `ms` milliseconds for task t; true once it is done.
    // While the job is still on the caller's thread, the caller searches
    // task t itself when it is the next one in order.
    bool WaitTask(int t, std::uint32_t ms);
    // The value of a finished task: +1/-1 or a line count.
    std::int64_t Value(int t) const { return results_[static_cast<std::size_t>(t)].value; }
    // The nodes its search evaluated.
    std::uint64_t Nodes(int t) const { return results_[static_cast<std::size_t>(t)].nodes; }
    // The line of a finished task that kept one.
    const SolutionLine& Line(int t) const { return lines_[static_cast<std::size_t>(t)]; }

private:
    struct Worker;
    struct Result {
        std::int64_t value = 0;
        std::uint64_t nodes = 0;
        std::atomic<bool> done{false};  // set after value (and the line) under the mutex
    };

    void run(Worker& w);
    bool claim(Worker& w, std::unique_lock<std::mutex>& lock);
    // Gives `w` task t of the current job: its pass, its candidate, and the
    // job's start in the worker's own Position and SearchStart.
    void take(Worker& w, int t);
    // Searches the task in hand.
    static TaskResult search(Worker& w);
    // Searches task t on the caller's thread; false when the budget ran out.
    bool runInline(int t);
    // The workers take the job over from task `first`.
    void handOver(int first);
    // Stores a finished task's result (and its line) under the mutex.
    void store(Worker& w, const TaskResult& result, std::uint64_t nodes);
    // Every worker's running search stops; under the mutex.
    void stopRunning();
    // Before sleeping, a worker watches `posted_` a short while: a job that
    // follows at once (the next hint, the next phase) starts without waking
    // it, and so does the caller waiting for a quick task.
    bool spinForWork(std::uint64_t seen) const;

    std::mutex mutex_;
    std::condition_variable work_;  // a task may be claimed, or the pool ends
    std::condition_variable done_;  // a task was done

    // The job, written by Start under the mutex.
    std::uint64_t job_ = 0;
    Board start_{};
    SearchStart searchStart_;  // built from start_, shared by every search of the job
    CandidateList list_;
    std::array<RootTask, MaxPasses> passes_{};
    int count_ = 0;
    int next_ = 0;    // the next task to claim
    int limit_ = 0;   // tasks from here on are not started
    bool ending_ = false;
    std::atomic<std::uint64_t> posted_{0};  // counts the Starts, read without the mutex
    std::array<Result, MaxTasks> results_{};
    std::array<SolutionLine, MaxTasks> lines_{};

    // The job while it runs on the caller's thread; only the caller reads
    // and writes these.
    std::unique_ptr<Worker> caller_;
    std::uint64_t inlineNodes_;
    bool inline_ = false;
    int inlineNext_ = 0;          // the next task in order for the caller
    int inlineLimit_ = 0;         // the job's tasks, until a winner cuts them
    std::uint64_t inlineLeft_ = 0; // nodes left of the caller's budget

    std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace keldra
