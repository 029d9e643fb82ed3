// The hints search their root candidates on worker threads; the choice, the
// recorded line, the memo, the status texts and the board must be exactly
// those of a plain loop over the candidates in list order, written here with
// KillSearch and CountSearch.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "solver/count_search.h"
#include "QELMA/logic/hint_commands.h"
#include "QELMA/logic/session.h"
#include "solver/root_choice.h"
#include "solver/root_search.h"
#include "solver_positions.h"
#include "test_support.h"

namespace keldra {
namespace {

using Lines = std::vector<std::string>;

// The golden positions and random ones.
std::vector<Position> ManyPositions() {
    std::vector<Position> all = test::GoldenPositions();
    const std::vector<Position> random = test::RandomCornerPositions(250, 20261208);
    all.insert(all.end(), random.begin(), random.end());
    return test::EveryStride(all);
}

std::string Progress(const CandidateEntry& c, const char* what) {
    return "X=" + std::to_string(c.X) + " Y=" + std::to_string(c.Y) + what;
}

std::string Total(int x, int y, std::int64_t score) {
    return "X= " + std::to_string(x) + "  Y= " + std::to_string(y) + "  TOTAL= " + std::to_string(score);
}

Lines MemoOf(const SolutionLine& line) {
    Lines memo;
    for (int k = 0; k <= line.SolutionLast; ++k) memo.push_back(MemoLine(line, k));
    return memo;
}

// What a hint leaves, from either the handler or the reference loop.
struct Outcome {
    int x = 0, y = 0;
    std::int64_t score = -1;
    Lines edit6;
    Lines memo;  // the recorded line as the memo lists it; empty when none
    int winners = 0;       // reference only: candidates worth +1 in the kill pass
    int firstWinner = 0;   // reference only: list number of the first of them
    bool laterLineDiffers = false;  // reference only: a later winner records another line
};

// The black hint as a plain loop; every candidate is searched so that the
// later winners are known too.
Outcome ReferenceBlackHint(const Position& start) {
    Position pos = start;
    CandidateList list;
    GenerateCandidates(pos, Black, list);
    Outcome o;
    for (int i = 1; i <= list.count; ++i) {
        const CandidateEntry& c = list.entry(i);
        Position p = pos;
        SolutionLine line;
        if (KillSearch(p, c.X, c.Y, 1, &line) != 1) {
            if (o.winners == 0) o.edit6.push_back(Progress(c, " を計算中"));
            continue;
        }
        if (++o.winners == 1) {
            o.edit6.push_back(Progress(c, " を計算中"));
            o.x = c.X, o.y = c.Y, o.score = 1, o.firstWinner = i;
            o.memo = MemoOf(line);
        } else if (MemoOf(line) != o.memo) {
            o.laterLineDiffers = true;
        }
    }
    o.edit6.push_back(Total(o.x, o.y, o.score));
    return o;
}

// White's reply as a plain loop: the first kill, else the highest count.
Outcome ReferenceReply(const Position& start, bool killPhase) {
    Position pos = start;
    CandidateList list;
    GenerateCandidates(pos, White, list);
    Outcome o;
    for (int i = 1; killPhase && i <= list.count; ++i) {
        const CandidateEntry& c = list.entry(i);
        o.edit6.push_back(Progress(c, " を計算中"));
        Position p = pos;
        if (KillSearch(p, c.X, c.Y, 2) == 1) {
            o.x = c.X, o.y = c.Y, o.score = 1, o.firstWinner = i;
            break;
        }
    }
    if (o.score < 1) {
        for (int i = 1; i <= list.count; ++i) {
            const CandidateEntry& c = list.entry(i);
            o.edit6.push_back(Progress(c, " を再計算中"));
            Position p = pos;
            const std::int64_t count = CountSearch(p, c.X, c.Y, 2);
            if (count > o.score) o.x = c.X, o.y = c.Y, o.score = count;
        }
    }
    o.edit6.push_back(Total(o.x, o.y, o.score));
    return o;
}

// Runs a handler on `start` and checks what it leaves against `want`.
void ExpectHint(void (*handler)(Session&, SearchView&), const Position& start, std::uint8_t autoSolve,
                std::uint8_t record, const Outcome& want, const std::string& what) {
    Session st;
    st.game.pos = start;
    st.flags.AutoSolveFlag = autoSolve;
    st.flags.RecordFlag = record;
    test::RecordingView view;
    handler(st, view);

    EXPECT_EQ(st.hint.X, want.x) << what;
    EXPECT_EQ(st.hint.Y, want.y) << what;
    EXPECT_EQ(st.hint.Score, want.score) << what;
    EXPECT_EQ(view.edit6History, want.edit6) << what;
    EXPECT_EQ(view.memo, want.memo) << what;
    if (!want.memo.empty()) {
        EXPECT_EQ(MemoOf(st.hint.line), want.memo) << what;
    }
    EXPECT_EQ(st.game.pos.board, start.board) << what << ": the board as on entry";
    EXPECT_EQ(st.game.pos.LastX, 0) << what;
    EXPECT_EQ(st.game.pos.LastY, 0) << what;
    EXPECT_EQ(view.events, static_cast<int>(want.edit6.size())) << what << ": one event round per candidate and one at the start";
}

TEST(ParallelHints, BlackHintChoosesAndRecordsAsTheLoopInListOrder) {
    const std::vector<Position> positions = ManyPositions();
    ASSERT_GT(positions.size(), static_cast<std::size_t>(test::AtLeast(450)));
    int laterWinnersWithOtherLines = 0;
    int firstWinnerNotFirst = 0;
    for (std::size_t n = 0; n < positions.size(); ++n) {
        const Outcome want = ReferenceBlackHint(positions[n]);
        if (want.winners >= 2 && want.laterLineDiffers) ++laterWinnersWithOtherLines;
        if (want.firstWinner > 1 && want.winners >= 2) ++firstWinnerNotFirst;
        Outcome recorded = want;
        ExpectHint(test::BlackHint, positions[n], 1, 1, recorded, "black hint, position " + std::to_string(n));
        Outcome unrecorded = want;
        unrecorded.memo.clear();
        ExpectHint(test::BlackHint, positions[n], 0, 0, unrecorded, "unrecorded black hint, position " + std::to_string(n));
    }
    // The positions must hold the cases where taking a result out of order
    // would show: a later winner with a line of its own.
    EXPECT_GE(laterWinnersWithOtherLines, test::AtLeast(10));
    EXPECT_GE(firstWinnerNotFirst, test::AtLeast(3));
}

TEST(ParallelHints, ReplyChoosesAsTheLoopInListOrder) {
    const std::vector<Position> positions = ManyPositions();
    int counted = 0, killed = 0;
    for (std::size_t n = 0; n < positions.size(); ++n) {
        for (const std::uint8_t autoSolve : {0, 1}) {
            const Outcome want = ReferenceReply(positions[n], autoSolve == 0);
            (want.firstWinner > 0 ? killed : counted) += 1;
            ExpectHint(test::Reply, positions[n], autoSolve, 0, want,
                       "reply, position " + std::to_string(n) + " AutoSolveFlag " + std::to_string(autoSolve));
        }
    }
    EXPECT_GE(killed, test::AtLeast(20));
    EXPECT_GE(counted, test::AtLeast(20));
}

TEST(RootChoice, ReportsEachCandidateInListOrderWithItsValueLineAndNodes) {
    // The engine's black hint against a plain loop of recording searches:
    // the same reports in list order up to the first winner, the same
    // choice and line, and the nodes of exactly those searches.
    const std::vector<Position> positions = test::EveryStride(test::GoldenPositions());
    for (std::size_t n = 0; n < positions.size(); n += 5) {
        const std::string where = "position " + std::to_string(n);
        Position pos = positions[n];
        Lines reported;
        RootSearchEvents events;
        events.onRootFinished = [&](const RootCandidate& c, std::int64_t value) {
            reported.push_back(std::to_string(c.index) + ":" + Progress(c.move, "") + "=" + std::to_string(value));
        };
        const RootChoice got = FindKillingMove(pos, true, events);

        Position plain = positions[n];
        CandidateList list;
        GenerateCandidates(plain, Black, list);
        Lines want;
        std::uint64_t nodes = 0;
        RootChoice expected;
        for (int i = 1; i <= list.count; ++i) {
            Position p = plain;
            SolutionLine line;
            const int value = KillSearch(p, list.entry(i).X, list.entry(i).Y, 1, &line, &nodes);
            want.push_back(std::to_string(i) + ":" + Progress(list.entry(i), "") + "=" + std::to_string(value));
            if (value == 1) {
                expected.X = list.entry(i).X, expected.Y = list.entry(i).Y, expected.value = 1;
                expected.line = line;
                break;
            }
        }
        EXPECT_EQ(reported, want) << where;
        EXPECT_FALSE(got.stopped) << where;
        EXPECT_EQ(got.X, expected.X) << where;
        EXPECT_EQ(got.Y, expected.Y) << where;
        EXPECT_EQ(got.value, expected.value) << where;
        EXPECT_EQ(got.hasLine, expected.value == 1) << where;
        if (got.hasLine) {
            EXPECT_EQ(MemoOf(got.line), MemoOf(expected.line)) << where;
        }
        EXPECT_EQ(got.nodes, nodes) << where;
    }
}

// A first-winner walk over the pool as the black hint makes it.
struct Walk {
    int chosen = 0;
    Lines memo;
};

Walk WalkFirstWinner(RootSearchPool& pool, const Board& start, const CandidateList& list) {
    const RootTask kill = KillTask(1, true);
    pool.Start(start, list, &kill, 1);
    Walk w;
    for (int i = 1; i <= list.count; ++i) {
        const int t = pool.Task(0, i);
        while (!pool.WaitTask(t, 1000)) {
        }
        if (pool.Value(t) == 1) {
            w.chosen = i;
            w.memo = MemoOf(pool.Line(t));
            break;
        }
    }
    pool.Stop();
    return w;
}

TEST(RootSearchPool, AnyNumberOfWorkersGivesTheFirstWinnerAndItsLine) {
    // The caller's budget decides where a job goes to the workers: never,
    // at once, or in the middle of some search.
    struct Setup {
        unsigned threads;
        std::uint64_t inlineNodes;
    };
    const std::vector<Position> positions = test::EveryStride(test::GoldenPositions());
    for (const Setup setup : {Setup{1, 0}, Setup{3, 0}, Setup{4, 37}, Setup{2, 400}, Setup{2, UINT64_MAX}}) {
        RootSearchPool pool(setup.threads, setup.inlineNodes);
        for (std::size_t n = 0; n < positions.size(); n += 3) {
            Position pos = positions[n];
            CandidateList list;
            GenerateCandidates(pos, Black, list);
            const Outcome want = ReferenceBlackHint(pos);
            const Walk got = WalkFirstWinner(pool, pos.board, list);
            const std::string where = std::to_string(setup.threads) + " workers, budget " +
                                      std::to_string(setup.inlineNodes) + ", position " + std::to_string(n);
            EXPECT_EQ(got.chosen, want.firstWinner) << where;
            EXPECT_EQ(got.memo, want.memo) << where;
        }
    }
}

TEST(RootSearchPool, ResultsOfADroppedJobNeverReachTheNextOne) {
    // Each job is dropped after its first task while the workers are still
    // searching ahead; the next job, on another position, must see only its
    // own results.
    const std::vector<Position> positions = test::EveryStride(test::GoldenPositions());
    RootSearchPool pool(2, 0);
    const RootTask count = CountTask(2);
    for (std::size_t n = 0; n + 1 < positions.size(); n += 7) {
        Position dropped = positions[n];
        CandidateList droppedList;
        GenerateCandidates(dropped, White, droppedList);
        pool.Start(dropped.board, droppedList, &count, 1);
        if (droppedList.count > 0) pool.WaitTask(pool.Task(0, 1), 1000);

        Position pos = positions[n + 1];
        CandidateList list;
        GenerateCandidates(pos, White, list);
        pool.Start(pos.board, list, &count, 1);
        for (int i = 1; i <= list.count; ++i) {
            const int t = pool.Task(0, i);
            while (!pool.WaitTask(t, 1000)) {
            }
            Position p = pos;
            EXPECT_EQ(pool.Value(t), CountSearch(p, list.entry(i).X, list.entry(i).Y, 2))
                << "position " << n + 1 << ", candidate " << i;
        }
    }
}

// Closes the window the first time the hint waits for a worker.
class ClosingWhileWaiting : public test::RecordingView {
public:
    int waits = 0;
    int eventsAtClose = -1;
    std::size_t announcedAtClose = 0;
    void WaitFor(const std::function<bool(std::uint32_t)>&) override {
        ++waits;
        eventsAtClose = events;
        announcedAtClose = edit6History.size();
    }
    bool Cancelled() override { return waits > 0; }
};

TEST(ParallelHints, ClosingWhileAWorkerSearchesStopsTheHint) {
    struct Case {
        const char* what;
        void (*handler)(Session&, SearchView&);
        Position pos;
    };
    // Their searches take long enough to be waited for (white's replies in
    // the eight-point eye space end within the caller's own budget once the
    // workers are free, so the reply gets a wider space).
    const Case cases[] = {
        {"black hint", test::BlackHint, test::Corner(test::EightPointEyeSpace)},
        {"automatic solving", test::Solve, test::Corner(test::EightPointEyeSpace)},
        {"white's reply", test::Reply, test::Corner(test::WideEyeSpace)},
    };
    for (const Case& c : cases) {
        // A first search that ended before the hint looked is not waited
        // for; a few tries make sure that one is.
        bool waited = false;
        for (int attempt = 0; attempt < 5 && !waited; ++attempt) {
            Session st;
            st.game.pos = c.pos;
            st.hint.X = 9;
            st.flags.RecordFlag = 1;
            const Board entry = st.game.pos.board;
            ClosingWhileWaiting view;
            c.handler(st, view);
            if (view.waits == 0) continue;
            waited = true;

            EXPECT_EQ(view.waits, 1) << c.what << ": no wait after the close";
            EXPECT_EQ(view.events, view.eventsAtClose) << c.what << ": no events after the close";
            EXPECT_EQ(st.game.pos.board, entry) << c.what;
            EXPECT_EQ(st.hint.X, 0) << c.what;
            EXPECT_EQ(st.flags.RecordFlag, 0) << c.what;
            EXPECT_EQ(st.game.rec.MoveCount, 0) << c.what;
            EXPECT_TRUE(view.messages.empty()) << c.what;
            EXPECT_EQ(view.edit6History.size(), view.announcedAtClose) << c.what << ": a candidate after the close";
            EXPECT_EQ(view.edit6.find("TOTAL"), std::string::npos) << c.what << ": no choice shown";
        }
        EXPECT_TRUE(waited) << c.what;
    }
}

// Stops once the test has asked for it; waits as the window does, in slices.
class StoppableView : public test::RecordingView {
public:
    std::atomic<bool> stop{false};
    bool Cancelled() override { return stop.load(); }
    void WaitFor(const std::function<bool(std::uint32_t)>& waitSome) override {
        while (!waitSome(15) && !Cancelled()) {
        }
    }
};

// Closing while one long root search runs: the hint returns at once and the
// search itself ends within a few thousand nodes, so the process can end.
// The bound is generous; the search alone would run for seconds.
TEST(RootSearchPool, StopEndsARunningSearchAtOnce) {
    using Clock = std::chrono::steady_clock;
    constexpr auto Bound = std::chrono::seconds(2);
    const Position start = test::Corner(test::WideEyeSpace);
    CandidateList list;
    Position generated = start;
    GenerateCandidates(generated, Black, list);
    ASSERT_GT(list.count, 0);

    // The pool on its own: one worker, every task on it.
    auto pool = std::make_unique<RootSearchPool>(1, 0);
    const RootTask kill = KillTask(1, false);
    pool->Start(start.board, list, &kill, 1);
    EXPECT_FALSE(pool->WaitTask(pool->Task(0, 1), 300)) << "the first candidate's search still runs";
    const Clock::time_point stopped = Clock::now();
    pool->Stop();
    pool.reset();  // joins the worker
    EXPECT_LT(Clock::now() - stopped, Bound) << "the worker went on searching after the stop";

    // Automatic solving on a thread of its own, closed while it searches.
    Session st;
    st.game.pos = start;
    StoppableView view;
    Clock::time_point closed;
    std::thread solving([&] { test::Solve(st, view); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    closed = Clock::now();
    view.stop = true;
    solving.join();
    EXPECT_LT(Clock::now() - closed, Bound) << "automatic solving went on after the close";
    EXPECT_EQ(st.game.rec.MoveCount, 0);
    EXPECT_EQ(st.game.pos.board, start.board);
    EXPECT_EQ(st.flags.RecordFlag, 0);
}

}  // namespace
}  // namespace keldra
