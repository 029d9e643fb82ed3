#include "solver/root_choice.h"

#include <atomic>
#include <memory>

#include "solver/root_search.h"

namespace keldra {

namespace {

// The hints search black's moves at ply 1 and white's at ply 2.
constexpr int BlackPly = 1;
constexpr int WhitePly = 2;

// Takes a candidate when its value beats the best so far.
struct Best {
    RootChoice& choice;

    bool offer(const CandidateEntry& c, std::int64_t value) {
        if (value <= choice.value) return false;
        choice.value = value;
        choice.X = c.X;
        choice.Y = c.Y;
        return true;
    }
};

// The workers of the root searches, started with the first search and kept
// for the life of the process. A search entered while another one is
// waiting (from a handler that its event processing ran) gets workers of its
// own. Ending the lease stops the job: after a first winner, a stop or an
// exception no further candidate is started, and searches still running
// end within a few thousand nodes.
class PoolLease {
public:
    PoolLease() {
        if (inUse().exchange(true)) {
            own_ = std::make_unique<RootSearchPool>();
            pool_ = own_.get();
        } else {
            pool_ = &shared();
        }
    }
    ~PoolLease() {
        pool_->Stop();
        if (!own_) inUse().store(false);
    }
    PoolLease(const PoolLease&) = delete;
    PoolLease& operator=(const PoolLease&) = delete;

    RootSearchPool& pool() { return *pool_; }

private:
    static RootSearchPool& shared() {
        static RootSearchPool pool;
        return pool;
    }
    static std::atomic<bool>& inUse() {
        static std::atomic<bool> flag{false};
        return flag;
    }

    std::unique_ptr<RootSearchPool> own_;
    RootSearchPool* pool_;
};

// One walk over the candidates in list order: reports each, waits for its
// result, reports that. False when a stop request ended the walk.
class Walk {
public:
    Walk(RootSearchPool& pool, const RootSearchEvents& events, RootChoice& choice)
        : pool_(pool), events_(events), choice_(choice) {}

    // The value of candidate i of `list` in pass `pass`, or false on a stop.
    bool take(RootPhase phase, int pass, const CandidateList& list, int i, std::int64_t& value) {
        const RootCandidate candidate{phase, i, list.entry(i)};
        if (events_.onRootStarting && !events_.onRootStarting(candidate)) return stop();
        const int t = pool_.Task(pass, i);
        while (!pool_.WaitTask(t, 0)) {
            if (events_.waitForWorkers) {
                events_.waitForWorkers([this, t](std::uint32_t ms) { return pool_.WaitTask(t, ms); });
            } else {
                while (!pool_.WaitTask(t, 1000)) {
                }
            }
            if (events_.stopRequested && events_.stopRequested()) return stop();
        }
        value = pool_.Value(t);
        choice_.nodes += pool_.Nodes(t);
        if (events_.onRootFinished) events_.onRootFinished(candidate, value);
        return true;
    }

    const SolutionLine& line(int pass, int i) const { return pool_.Line(pool_.Task(pass, i)); }

private:
    bool stop() {
        choice_ = RootChoice{};
        choice_.stopped = true;
        return false;
    }

    RootSearchPool& pool_;
    const RootSearchEvents& events_;
    RootChoice& choice_;
};

// The candidates of `colour` on `pos`, and the start every search shares.
void generateRoots(Position& pos, std::uint8_t colour, SearchStart& start, CandidateList& list) {
    // The masks of the start serve the root generation and every search.
    start.Build(pos.board);
    StoneColumns columns = start.columns;
    GenerateCandidates(pos, colour, list, columns);
}

}  // namespace

RootChoice FindKillingMove(Position& pos, bool recordLine, const RootSearchEvents& events) {
    const Board startBoard = pos.board;
    SearchStart start;
    CandidateList list;
    generateRoots(pos, Black, start, list);
    RootChoice choice;
    PoolLease lease;
    RootSearchPool& pool = lease.pool();
    // Without a line to record the searches may use the memo of finished positions.
    const RootTask kill = KillTask(BlackPly, recordLine);
    pool.Start(startBoard, start, list, &kill, 1);
    Walk walk(pool, events, choice);
    Best best{choice};
    for (int i = 1; i <= list.count; ++i) {
        std::int64_t value = 0;
        if (!walk.take(RootPhase::Kill, 0, list, i, value)) return choice;
        // Only the first candidate worth +1 gives the line: a later winner
        // searched ahead is never taken.
        if (best.offer(list.entry(i), value)) {
            if (value == 1 && recordLine) {
                choice.line = walk.line(0, i);
                choice.hasLine = true;
            }
            break;
        }
    }
    return choice;
}

RootChoice FindReply(Position& pos, bool killPhase, const RootSearchEvents& events) {
    const Board startBoard = pos.board;
    SearchStart start;
    CandidateList list;
    generateRoots(pos, White, start, list);
    RootChoice choice;
    PoolLease lease;
    RootSearchPool& pool = lease.pool();
    // The counting pass is searched ahead too; a winner of the kill pass stops it.
    const RootTask both[] = {KillTask(WhitePly, false), CountTask(WhitePly)};
    const int countPass = killPhase ? 1 : 0;
    pool.Start(startBoard, start, list, killPhase ? both : both + 1, killPhase ? 2 : 1);
    Walk walk(pool, events, choice);
    Best best{choice};
    if (killPhase) {
        for (int i = 1; i <= list.count; ++i) {
            std::int64_t value = 0;
            if (!walk.take(RootPhase::Kill, 0, list, i, value)) return choice;
            if (best.offer(list.entry(i), value)) break;
        }
    }
    // The reply with the most lines that leave black without stones or
    // candidates; the earliest of equal counts stays.
    if (!killPhase || choice.value < 1) {
        for (int i = 1; i <= list.count; ++i) {
            std::int64_t value = 0;
            if (!walk.take(RootPhase::Count, countPass, list, i, value)) return choice;
            best.offer(list.entry(i), value);
        }
    }
    return choice;
}

}  // namespace keldra
