// The prover's transposition table, written and read by two threads at
// once in one crowded bucket: a lookup finds either nothing or the numbers
// stored for that very key, never a mix of two writes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "prover/dfpn.h"

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

}  // namespace
