// The transposition table of proof and disproof numbers: four-way buckets
// of one cache line, shared by the threads of one proof without locks.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace keldra::prover {

inline constexpr std::uint32_t Infinite = 1u << 28;

// Frees memory that came zeroed from the system (calloc): its pages cost
// nothing until a search touches them, so a small proof does not pay for a
// large table.
struct FreeMemory {
    void operator()(void* p) const { std::free(p); }
};

// A table entry: the key, then the proof and disproof numbers (each at most
// Infinite, 29 bits) and the work the result cost, as a power of two.
struct TableEntry {
    std::uint64_t key = 0;
    std::uint64_t data = 0;
    std::uint32_t pn() const { return static_cast<std::uint32_t>(data & PnMask); }
    std::uint32_t dn() const { return static_cast<std::uint32_t>((data >> 29) & PnMask); }
    int workLog() const { return static_cast<int>(data >> 58); }
    static constexpr std::uint64_t PnMask = (std::uint64_t{1} << 29) - 1;
};
static_assert(sizeof(TableEntry) == 16);

// Four-way buckets of one cache line; a final result outlives unfinished
// ones. The threads of one proof share the table without locks: an entry
// holds its key mixed with its data, so an entry that two threads wrote at
// once reads as absent, never as another position's numbers.
//
// A page of the table that nothing was stored in is never read: it holds
// only zeros, so a look-up there finds nothing and a store there takes the
// bucket's first slot. The system then maps each page on its first write
// alone; a read first would map a shared page of zeros that the write must
// replace, and the replacement stops every thread of the process to flush
// its address cache.
class ProofTable {
public:
    explicit ProofTable(std::size_t bytes);
    // The entry for `key`, or one with key 0 when there is none.
    TableEntry find(std::uint64_t key) const;
    // Starts loading the key's bucket into the cache.
    void prefetch(std::uint64_t key) const;
    void store(std::uint64_t key, std::uint32_t pn, std::uint32_t dn, std::uint32_t work);
    std::size_t bytes() const { return count_ * sizeof(TableEntry); }

private:
    // Slot k: words 2k (key xor data) and 2k + 1 (data).
    std::uint64_t load(std::size_t word) const;
    void put(std::size_t word, std::uint64_t value);
    TableEntry entryAt(std::size_t slot) const;
    bool written(std::size_t bucket) const;
    std::unique_ptr<void, FreeMemory> memory_;  // zeroed
    std::uint64_t* words_ = nullptr;  // in memory_, at a page's start
    std::size_t count_ = 0;
    std::size_t bucketMask_ = 0;
    // A flag for each page of the table: something was stored in it.
    std::unique_ptr<std::uint8_t[]> pageWritten_;
};

}  // namespace keldra::prover
