// The prover's search parts: the transposition table, written and read by
// two threads at once in one crowded bucket (a lookup finds either nothing
// or the numbers stored for that very key, never a mix of two writes), and
// the re-check's memory of walked proofs under a new history.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "prover/dfpn.h"
#include "prover_composed_problems.h"

namespace {

using keldra::prover::Infinite;
using keldra::prover::ProofTable;
using keldra::prover::TableEntry;

// The numbers every writer stores for `key`: open values below Infinite,
// different for every key of the test.
std::uint32_t pnFor(std::uint64_t key) { return static_cast<std::uint32_t>(key % (Infinite - 1)) + 1; }
std::uint32_t dnFor(std::uint64_t key) { return static_cast<std::uint32_t>((key >> 29) % (Infinite - 1)) + 1; }

TEST(ProverTable, EntriesWrittenAtOnceNeverReadAsAnotherPositions) {
    // The smallest table: one bucket of four entries for 64 keys, so every
    // store replaces an entry that the other thread may be reading.
    ProofTable table(1);
    std::vector<std::uint64_t> keys;
    std::mt19937_64 random(12345);
    for (int i = 0; i < 64; ++i) keys.push_back(random() | 1);

    std::atomic<int> wrong{0}, found{0};
    auto work = [&](std::uint64_t seed) {
        std::mt19937_64 r(seed);
        for (int i = 0; i < 200'000; ++i) {
            const std::uint64_t key = keys[r() % keys.size()];
            if (r() % 2 == 0) {
                table.store(key, pnFor(key), dnFor(key), static_cast<std::uint32_t>(r() % 1000));
                continue;
            }
            const TableEntry e = table.find(key);
            if (e.key == 0) continue;
            ++found;
            if (e.key != key || e.pn() != pnFor(key) || e.dn() != dnFor(key)) ++wrong;
        }
    };
    std::thread other(work, 1);
    work(2);
    other.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_GT(found.load(), 1000) << "the readers should find many entries";

    // One thread alone finds what it stored last, and a final result is not
    // pushed out by an unfinished one.
    ProofTable small(1);
    for (int i = 0; i < 4; ++i) small.store(keys[static_cast<std::size_t>(i)], 0, Infinite, 1);
    small.store(keys[4], 7, 9, 1'000'000);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(small.find(keys[static_cast<std::size_t>(i)]).pn(), 0u) << "proof " << i;
    EXPECT_EQ(small.find(keys[4]).key, 0u);
}

// A walked proof is remembered, but a history that holds one of its
// positions makes white's move there a repetition, which white wins: the
// remembered proof must not stand in for a new walk.
TEST(ProverRecheck, RememberedProofYieldsWhereThePathHoldsOneOfItsPositions) {
    using namespace keldra::prover;
    const keldra::Board board = keldra::test::ComposedBoard(R"(
        ...OX
        OOOOX
        XXXXX)");
    const ProblemSetup setup = SetupOf(board, keldra::Black);
    const SearchRules rules{keldra::White, false};
    const SearchNode root = RootNode(board, setup, keldra::Black);
    FillScratch fs;
    SearchNode vital, reply;
    ASSERT_TRUE(PlayInto(root, keldra::IndexOf(2, 1), vital, setup, rules, fs, true));
    ASSERT_TRUE(PlayInto(vital, keldra::IndexOf(1, 1), reply, setup, rules, fs, false));

    ProofTable table(1u << 20);
    Searcher searcher(setup, table);
    searcher.setRules(rules);
    const SearchNode played[] = {root, vital};
    ASSERT_EQ(searcher.solve(played, 2).pn, 0u) << "the middle point kills the straight three";
    ASSERT_GE(searcher.verifyBlackWin(played, 2), 0);

    const SearchNode repeating[] = {root, reply, vital};
    EXPECT_LT(searcher.verifyBlackWin(repeating, 3), 0) << "white's answer at (1,1) repeats a position of the path";
    EXPECT_GE(searcher.verifyBlackWin(played, 2), 0) << "the first history still holds";

    // Black's atari from outside at (6,1) stands in every position of its
    // proof. A path position above the capture that emptied (6,1) may hold
    // it, so only the stone counts can clear such a position; here white's
    // answer is on the path and they do not.
    const keldra::Board outside = keldra::test::ComposedBoard(R"(
        .O.OO.X
        OOXXXXX
        XXX....)");
    const ProblemSetup setup2 = SetupOf(outside, keldra::Black);
    const SearchNode root2 = RootNode(outside, setup2, keldra::Black);
    SearchNode atari, connect;
    ASSERT_TRUE(PlayInto(root2, keldra::IndexOf(6, 1), atari, setup2, rules, fs, true));
    ASSERT_TRUE(PlayInto(atari, keldra::IndexOf(3, 1), connect, setup2, rules, fs, false));
    ProofTable table2(1u << 20);
    Searcher searcher2(setup2, table2);
    searcher2.setRules(rules);
    const SearchNode played2[] = {root2, atari};
    ASSERT_EQ(searcher2.solve(played2, 2).pn, 0u) << "the atari from outside kills";
    ASSERT_GE(searcher2.verifyBlackWin(played2, 2), 0);
    SearchNode emptiedAgain = root2;
    emptiedAgain.captured = 1;
    const SearchNode afterCapture[] = {root2, connect, emptiedAgain, atari};
    EXPECT_LT(searcher2.verifyBlackWin(afterCapture, 4), 0) << "the path holds white's answer above the capture";
}

}  // namespace
