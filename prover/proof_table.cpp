// The table: replacement by work done, final results first; each entry's key
// is stored mixed with its data so that a torn write reads as absent.
#include "prover/proof_table.h"

#include <atomic>
#include <bit>
#include <new>

namespace keldra::prover {

namespace {

constexpr int BucketSize = 4;
constexpr std::size_t Line = BucketSize * sizeof(TableEntry);
// The system's usual page; on another size the flags only map less well.
constexpr std::size_t Page = 4096;
constexpr std::size_t BucketsAPage = Page / Line;

}  // namespace

ProofTable::ProofTable(std::size_t bytes) {
    std::size_t buckets = 1;
    while (buckets * 2 * BucketSize * sizeof(TableEntry) <= bytes) buckets *= 2;
    count_ = buckets * BucketSize;
    memory_.reset(std::calloc(count_ * sizeof(TableEntry) + Page, 1));
    if (!memory_) throw std::bad_alloc();
    const auto at = reinterpret_cast<std::uintptr_t>(memory_.get());
    words_ = reinterpret_cast<std::uint64_t*>((at + Page - 1) / Page * Page);
    bucketMask_ = buckets - 1;
    pageWritten_ = std::make_unique<std::uint8_t[]>((buckets + BucketsAPage - 1) / BucketsAPage);
}

bool ProofTable::written(std::size_t bucket) const {
    return std::atomic_ref<std::uint8_t>(pageWritten_[bucket / BucketsAPage]).load(std::memory_order_relaxed) != 0;
}

std::uint64_t ProofTable::load(std::size_t word) const {
    return std::atomic_ref<std::uint64_t>(words_[word]).load(std::memory_order_relaxed);
}

void ProofTable::put(std::size_t word, std::uint64_t value) {
    std::atomic_ref<std::uint64_t>(words_[word]).store(value, std::memory_order_relaxed);
}

TableEntry ProofTable::entryAt(std::size_t slot) const {
    const std::uint64_t data = load(2 * slot + 1);
    return TableEntry{load(2 * slot) ^ data, data};
}

void ProofTable::prefetch(std::uint64_t key) const {
    if (written(key & bucketMask_)) __builtin_prefetch(&words_[(key & bucketMask_) * BucketSize * 2]);
}

TableEntry ProofTable::find(std::uint64_t key) const {
    if (!written(key & bucketMask_)) return TableEntry{};
    const std::size_t base = (key & bucketMask_) * BucketSize;
    for (int k = 0; k < BucketSize; ++k) {
        const TableEntry e = entryAt(base + static_cast<std::size_t>(k));
        if (e.key == key) return e;
    }
    return TableEntry{};
}

void ProofTable::store(std::uint64_t key, std::uint32_t pn, std::uint32_t dn, std::uint32_t work) {
    const std::size_t bucket = key & bucketMask_;
    const std::size_t base = bucket * BucketSize;
    const bool fresh = !written(bucket);  // every slot of the bucket empty: the first is taken
    std::size_t victim = base;
    TableEntry old;
    std::uint64_t victimWeight = ~std::uint64_t{0};
    for (int k = 0; k < BucketSize && !fresh; ++k) {
        const std::size_t slot = base + static_cast<std::size_t>(k);
        const TableEntry e = entryAt(slot);
        if (e.key == key || e.key == 0) {
            victim = slot, old = e;
            break;
        }
        const bool final = e.pn() == 0 || e.dn() == 0;
        const std::uint64_t weight = static_cast<std::uint64_t>(e.workLog()) + (final ? 64 : 0);
        if (weight < victimWeight) victimWeight = weight, victim = slot, old = e;
    }
    const bool newFinal = pn == 0 || dn == 0;
    if (!newFinal && old.key != key && old.key != 0 && (old.pn() == 0 || old.dn() == 0)) return;
    const auto workLog = static_cast<std::uint64_t>(std::bit_width(work));
    const std::uint64_t data = std::uint64_t{pn} | (std::uint64_t{dn} << 29) | (workLog << 58);
    put(2 * victim, key ^ data);
    put(2 * victim + 1, data);
    if (fresh) std::atomic_ref<std::uint8_t>(pageWritten_[bucket / BucketsAPage]).store(1, std::memory_order_relaxed);
}

}  // namespace keldra::prover
