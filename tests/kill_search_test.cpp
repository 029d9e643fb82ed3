// The kill search and the counting search: values at the ends of a line, the
// horizon, the recorded line, independence of searchers, no allocation.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "solver/count_search.h"
#include "solver/kill_search.h"
#include "solver_positions.h"
#include "test_support.h"

// Counts every allocation of the test program, so that a test can check
// that a search allocates nothing.
namespace {
std::atomic<long> allocations{0};
}  // namespace

// Kept out of line so that the compiler does not pair the malloc here with
// the free below at an inlined call site and warn about a mismatch.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace keldra {
namespace {

using test::Corner;
using test::PictureOf;
using test::WithStone;

std::vector<std::string> MemoOf(const SolutionLine& line) {
    std::vector<std::string> lines;
    for (int i = 0; i <= line.SolutionLast; ++i) lines.push_back(MemoLine(line, i));
    return lines;
}

struct KillCase {
    const char* what;
    Position entry;
    int x, y, ply;
    int value;
    std::uint64_t nodes;
    bool played;                    // the root move is on the board afterwards
    std::vector<std::string> memo;  // the recorded line, when the value is +1
};

void CheckKillCase(const KillCase& c) {
    const Position& entry = c.entry;
    Position pos = entry;
    pos.LastX = 3;
    pos.LastY = 3;
    SolutionLine line;
    line.SolutionLast = 77;  // a line left alone keeps this
    std::uint64_t nodes = 0;
    const int value = KillSearch(pos, c.x, c.y, c.ply, &line, &nodes);

    EXPECT_EQ(value, c.value) << c.what;
    EXPECT_EQ(nodes, c.nodes) << c.what;
    Position expected = entry;
    if (c.played) PlaceStone(expected, c.x, c.y, c.ply % 2 == 1 ? Black : White);
    EXPECT_EQ(pos.board, expected.board) << c.what << "\nafter:\n" << PictureOf(pos.board);
    EXPECT_EQ(pos.LastX, 0) << c.what;
    EXPECT_EQ(pos.LastY, 0) << c.what;
    if (c.value == 1) {
        EXPECT_EQ(MemoOf(line), c.memo) << c.what;
        EXPECT_EQ(line.entries[0], (MoveRecord{static_cast<std::uint8_t>(c.x), static_cast<std::uint8_t>(c.y),
                                               static_cast<std::uint8_t>(c.ply % 2 == 1 ? Black : White)}))
            << c.what;
    } else {
        EXPECT_EQ(line.SolutionLast, 77) << c.what << ": a losing search records nothing";
    }
}

TEST(KillSearch, EndsOfALine) {
    const KillCase cases[] = {
        {"a root move that takes the last white stone", Corner(test::LastWhiteStoneInAtari), 2, 1, 1, 1, 1, true,
         {"2 1 R1"}},
        {"white without candidates before the root: +1 and the move is not played", WithStone(7, 7, White), 7, 6,
         1, 1, 1, false, {"7 6 R1"}},
        {"black without candidates: -1 although white has no stone either", WithStone(7, 7, Black), 7, 6, 1, -1,
         1, false, {}},
        {"a white move at ply 2 after which black has no candidate", Corner(test::WhiteMakesTwoEyes), 4, 1, 2, 1,
         1, true, {"4 1 R2"}},
        {"white filling its own eye loses", Corner(test::WhiteMakesTwoEyes), 1, 1, 2, -1, 4, true, {}},
        {"white takes (4,1); the recorded line ends where black is left without a candidate",
         Corner(test::WhiteAlive), 5, 1, 2, 1, 5, true, {"5 1 R2", "5 2 R3", "4 1 R4"}},
    };
    for (const KillCase& c : cases) CheckKillCase(c);
}

TEST(KillSearch, BentThreeDiesOnlyAtTheVitalPoint) {
    // The recorded line is the last line the search met: after black (1,1)
    // white's second reply (2,1) is answered by black (1,2).
    const KillCase cases[] = {
        {"edge point (1,2): white takes at (1,1)", Corner(test::BentThree), 1, 2, 1, -1, 4, true, {}},
        {"edge point (2,1)", Corner(test::BentThree), 2, 1, 1, -1, 4, true, {}},
        {"vital point (1,1)", Corner(test::BentThree), 1, 1, 1, 1, 5, true, {"1 1 R1", "2 1 R2", "1 2 R3"}},
    };
    for (const KillCase& c : cases) CheckKillCase(c);
}

TEST(KillSearch, HorizonAtPly12) {
    const KillCase cases[] = {
        {"white's move at ply 12 ends no line and loses", Corner(test::EightPointEyeSpace), 1, 2, 12, -1, 1, true,
         {}},
        {"black at ply 11: every reply reaches the horizon; no line ended, so only the root is recorded",
         Corner(test::EightPointEyeSpace), 1, 2, 11, 1, 7, true, {"1 2 R11"}},
        {"the same black move at ply 1 fails", Corner(test::EightPointEyeSpace), 1, 2, 1, -1, 26891, true, {}},
    };
    for (const KillCase& c : cases) CheckKillCase(c);
}

TEST(KillSearch, LongKillRecordsTheFramesAsTheSearchLeftThem) {
    // Entry 6 repeats the root point: frames 0 to 8 hold the last line
    // pushed at each depth, and a later line overwrote part of the path.
    CheckKillCase({"black (4,2) in the eight-point eye space", Corner(test::EightPointEyeSpace), 4, 2, 1, 1, 12001,
                   true, {"4 2 R1", "3 2 R2", "2 1 R3", "2 2 R4", "3 1 R5", "4 1 R6", "4 2 R7", "5 2 R8", "1 2 R9"}});
}

TEST(KillSearch, SearchersOnTwoThreadsGiveTheSequentialResults) {
    struct Job {
        int x, y, ply;
        int value = 0;
        std::uint64_t nodes = 0;
        SolutionLine line;
    };
    std::vector<Job> jobs(2);
    jobs[0].x = 2, jobs[0].y = 2, jobs[0].ply = 3;
    jobs[1].x = 3, jobs[1].y = 2, jobs[1].ply = 3;
    std::vector<std::thread> threads;
    for (Job& job : jobs) {
        threads.emplace_back([&job] {
            auto searcher = std::make_unique<KillSearcher>();
            Position pos = Corner(test::EightPointEyeSpace);
            job.value = searcher->Search(pos, job.x, job.y, job.ply, &job.line);
            job.nodes = searcher->nodes();
        });
    }
    for (std::thread& t : threads) t.join();
    for (const Job& job : jobs) {
        Position pos = Corner(test::EightPointEyeSpace);
        SolutionLine line;
        std::uint64_t nodes = 0;
        const int value = KillSearch(pos, job.x, job.y, job.ply, &line, &nodes);
        EXPECT_EQ(job.value, value) << job.x << "," << job.y;
        EXPECT_EQ(job.nodes, nodes) << job.x << "," << job.y;
        EXPECT_EQ(MemoOf(job.line), MemoOf(line)) << job.x << "," << job.y;
    }
}

TEST(CountSearch, LinesThatLeaveBlackWithoutStonesOrCandidates) {
    struct Case {
        const char* what;
        Position entry;
        int x, y, ply;
        std::int64_t count;
    };
    const Case cases[] = {
        {"white takes black's last stone", Corner("X O"),
         1, 2, 2, 1},
        {"white's two eyes leave black without a candidate", Corner(test::WhiteMakesTwoEyes), 4, 1, 2, 1},
        {"a move at ply 7 is not played", Corner(test::WhiteMakesTwoEyes), 4, 1, 7, 0},
        {"eye filling (3,1)", Corner(test::WhiteCountTie), 3, 1, 2, 0},
        {"(4,1)", Corner(test::WhiteCountTie), 4, 1, 2, 1},
        {"(4,3)", Corner(test::WhiteCountTie), 4, 3, 2, 3},
        {"(5,3)", Corner(test::WhiteCountTie), 5, 3, 2, 3},
    };
    for (const Case& c : cases) {
        const Position& entry = c.entry;
        Position pos = entry;
        EXPECT_EQ(CountSearch(pos, c.x, c.y, c.ply), c.count) << c.what;
        Position expected = entry;
        if (c.ply < CountHorizon) PlaceStone(expected, c.x, c.y, c.ply % 2 == 1 ? Black : White);
        EXPECT_EQ(pos.board, expected.board) << c.what << ": the position after the root move";
        EXPECT_EQ(pos.LastX, 0) << c.what;
    }
}

// The counting rules written plainly, one copy of the position per move:
// the oracle for a search that keeps counts of positions it met before.
std::int64_t PlainCount(Position pos, int x, int y, int ply) {
    if (ply >= CountHorizon) return 0;
    PlaceStone(pos, x, y, ColourOfPly(ply));
    if (CountStones(pos.board, Black) == 0) return 1;
    if (CountStones(pos.board, White) == 0) return 0;
    const std::uint8_t next = ColourOfPly(ply + 1);
    CandidateList replies;
    GenerateCandidates(pos, next, replies);
    if (replies.count == 0) return next == Black ? 1 : 0;
    std::int64_t lines = 0;
    for (int i = 1; i <= replies.count; ++i) lines += PlainCount(pos, replies.entry(i).X, replies.entry(i).Y, ply + 1);
    return lines;
}

TEST(CountSearch, CountsEveryLineOnceWhateverPositionsRepeat) {
    // Positions met again by moves in another order, or from another root
    // candidate searched with the same start, must add their own lines.
    std::vector<Position> positions = test::RandomCornerPositions(60, 77);
    positions.push_back(Corner(test::EightPointEyeSpace));
    positions.push_back(Corner(test::WhiteCountTie));
    CountSearcher searcher;
    std::int64_t largest = 0;
    for (std::size_t n = 0; n < positions.size(); ++n) {
        Position start = positions[n];
        CandidateList roots;
        GenerateCandidates(start, White, roots);
        SearchStart shared;
        shared.Build(start.board);
        for (int i = 1; i <= roots.count; ++i) {
            const CandidateEntry& c = roots.entry(i);
            const std::int64_t want = PlainCount(start, c.X, c.Y, 2);
            Position pos = start;
            EXPECT_EQ(searcher.Search(pos, c.X, c.Y, 2, &shared), want) << "position " << n << ", " << int(c.X) << "," << int(c.Y);
            largest = std::max(largest, want);
        }
    }
    EXPECT_GT(largest, 50) << "some counts must come from deep trees";
}

TEST(Searches, AllocateNothing) {
    Position pos = Corner(test::EightPointEyeSpace);
    Position again = pos;
    KillSearcher killer;
    CountSearcher counter;
    SolutionLine line;
    CandidateList list;
    // A searcher allocates its tables when it is made; its searches, with
    // a line or with the memo, allocate nothing.
    const long before = allocations.load();
    GenerateCandidates(pos, Black, list);
    killer.Search(pos, 4, 2, 9, &line);
    counter.Search(again, 1, 2, 4);
    killer.Search(again, 3, 2, 10);
    EXPECT_EQ(allocations.load(), before);
    EXPECT_GT(killer.nodes(), 1u);
    EXPECT_GT(counter.nodes(), 1u);
}

}  // namespace
}  // namespace keldra
