#include "solver/root_search.h"

#include <algorithm>
#include <chrono>

namespace keldra {

namespace {

// How long a worker out of tasks, or a caller waiting for one, keeps
// looking before it sleeps: waking a sleeping thread costs more than the
// quickest searches.
constexpr auto SpinTime = std::chrono::microseconds(200);

// Calls `ready` until it returns true or the spin time is over.
template <class Ready>
bool spinUntil(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + SpinTime;
    do {
        for (int i = 0; i < 64; ++i) {
            if (ready()) return true;
        }
        std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < until);
    return ready();
}

}  // namespace

RootTask KillTask(int ply, bool keepLine) {
    return [ply, keepLine](RootWorkspace& ws, const CandidateEntry& c) {
        const std::int8_t value = ws.kill.Search(ws.pos, c.X, c.Y, ply, keepLine ? &ws.line : nullptr, &ws.start);
        TaskResult r;
        r.value = value;
        r.finished = value != 0;
        r.endsJob = value == 1;
        r.hasLine = keepLine && value == 1;
        return r;
    };
}

RootTask CountTask(int ply) {
    return [ply](RootWorkspace& ws, const CandidateEntry& c) {
        TaskResult r;
        r.value = ws.count.Search(ws.pos, c.X, c.Y, ply, &ws.start);
        r.finished = r.value >= 0;
        return r;
    };
}

// One worker thread with the workspace it searches on.
struct RootSearchPool::Worker {
    RootWorkspace ws;
    std::atomic<bool> stop{false};  // set when the task in hand is no longer needed
    std::uint64_t job = 0;          // the job of the task in hand
    int task = 0;
    RootTask run;
    CandidateEntry candidate{};
    std::thread thread;

    Worker() { ws.StopWhen(&stop); }
};

RootSearchPool::RootSearchPool(unsigned threads, std::uint64_t inlineNodes)
    : caller_(std::make_unique<Worker>()), inlineNodes_(inlineNodes) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < threads; ++i) workers_.push_back(std::make_unique<Worker>());
    for (auto& w : workers_) w->thread = std::thread([this, &w = *w] { run(w); });
}

RootSearchPool::~RootSearchPool() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        stopRunning();
    }
    work_.notify_all();
    for (auto& w : workers_) w->thread.join();
}

void RootSearchPool::Start(const Board& start, const CandidateList& list, const RootTask* passes, int passCount) {
    SearchStart searchStart;
    searchStart.Build(start);
    Start(start, searchStart, list, passes, passCount);
}

void RootSearchPool::Start(const Board& start, const SearchStart& searchStart, const CandidateList& list,
                           const RootTask* passes, int passCount) {
    {
        std::lock_guard lock(mutex_);
        stopRunning();
        ++job_;
        start_ = start;
        searchStart_ = searchStart;
        list_ = list;
        std::copy_n(passes, passCount, passes_.begin());
        count_ = list.count;
        next_ = 0;
        limit_ = 0;  // the workers wait until the job is handed over
        inlineLimit_ = passCount * count_;
        for (int t = 0; t < inlineLimit_; ++t) {
            results_[static_cast<std::size_t>(t)].done.store(false, std::memory_order_relaxed);
        }
    }
    inline_ = true;
    inlineNext_ = 0;
    inlineLeft_ = inlineNodes_;
}

void RootSearchPool::Stop() {
    std::lock_guard lock(mutex_);
    limit_ = 0;
    inline_ = false;
    stopRunning();
}

void RootSearchPool::stopRunning() {
    for (auto& w : workers_) w->stop.store(true, std::memory_order_relaxed);
}

void RootSearchPool::handOver(int first) {
    {
        std::lock_guard lock(mutex_);
        next_ = first;
        limit_ = inlineLimit_;
        posted_.fetch_add(1, std::memory_order_release);
    }
    inline_ = false;
    work_.notify_all();
}

void RootSearchPool::take(Worker& w, int t) {
    w.job = job_;
    w.task = t;
    w.run = passes_[static_cast<std::size_t>(t / count_)];
    w.candidate = list_.entry(t % count_ + 1);
    w.ws.pos.board = start_;
    w.ws.start = searchStart_;
    w.ws.pos.LastX = 0;
    w.ws.pos.LastY = 0;
    w.stop.store(false, std::memory_order_relaxed);
}

TaskResult RootSearchPool::search(Worker& w) { return w.run(w.ws, w.candidate); }

bool RootSearchPool::runInline(int t) {
    Worker& w = *caller_;
    take(w, t);
    const std::uint64_t before = w.ws.nodes();
    w.ws.LimitNodes(inlineLeft_);
    const TaskResult result = search(w);
    if (!result.finished) return false;
    const std::uint64_t used = w.ws.nodes() - before;
    inlineLeft_ -= std::min(used, inlineLeft_);
    if (result.endsJob) inlineLimit_ = std::min(inlineLimit_, t + 1);
    ++inlineNext_;
    std::lock_guard lock(mutex_);
    store(w, result, used);
    return true;
}

bool RootSearchPool::WaitTask(int t, std::uint32_t ms) {
    if (inline_) {
        if (results_[static_cast<std::size_t>(t)].done.load(std::memory_order_relaxed)) return true;
        if (t == inlineNext_ && t < inlineLimit_ && runInline(t)) return true;
        handOver(inlineNext_);
    }
    const Result& r = results_[static_cast<std::size_t>(t)];
    const auto isDone = [&] { return r.done.load(std::memory_order_acquire); };
    if (isDone() || (ms > 0 && spinUntil(isDone))) return true;
    std::unique_lock lock(mutex_);
    return done_.wait_for(lock, std::chrono::milliseconds(ms), isDone);
}

bool RootSearchPool::spinForWork(std::uint64_t seen) const {
    return spinUntil([&] { return posted_.load(std::memory_order_acquire) != seen; });
}

// Takes the next task of the job under the lock: which candidate, which
// pass, and the start board into the worker's own Position.
bool RootSearchPool::claim(Worker& w, std::unique_lock<std::mutex>& lock) {
    if (!ending_ && next_ >= limit_) {
        const std::uint64_t seen = posted_.load(std::memory_order_relaxed);
        lock.unlock();
        spinForWork(seen);
        lock.lock();
    }
    work_.wait(lock, [&] { return ending_ || next_ < limit_; });
    if (ending_) return false;
    take(w, next_++);
    return true;
}

void RootSearchPool::run(Worker& w) {
    std::unique_lock lock(mutex_);
    while (claim(w, lock)) {
        lock.unlock();
        const std::uint64_t before = w.ws.nodes();
        const TaskResult result = search(w);
        lock.lock();
        // A dropped or stopped job: nobody waits for it.
        if (w.job != job_ || !result.finished) continue;
        store(w, result, w.ws.nodes() - before);
    }
}

void RootSearchPool::store(Worker& w, const TaskResult& result, std::uint64_t nodes) {
    const auto t = static_cast<std::size_t>(w.task);
    results_[t].value = result.value;
    results_[t].nodes = nodes;
    if (result.hasLine) lines_[t] = w.ws.line;
    if (result.endsJob) limit_ = std::min(limit_, w.task + 1);
    results_[t].done.store(true, std::memory_order_release);
    done_.notify_all();
}

}  // namespace keldra
