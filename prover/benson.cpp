// Benson's test of unconditional life over the play area: a chain lives when
// it borders two regions vital to it whose other bordering chains live too,
// iterated to a fixed point.
#include "prover/benson.h"

#include <bit>

namespace keldra::prover {

namespace {

// A cheap test that no target chain can live: a chain that lives has two
// regions vital to it, each closed inside the area, with an empty point,
// and with every empty point next to the chain. So two closed regions are
// needed whose empty points all touch a chain holding a target stone, each
// holding one of those chains' liberties. Floods from those liberties count
// such regions; a flood stops where its region fails (a region cut short
// may count again from another liberty: the count only ever errs upwards).
bool mayLive(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    const std::uint32_t chain = ReserveStamps(fs, 2), visited = chain + 1;
    // The chains holding a target stone, flooded inside the area.
    int top = 0, stones = 0;
    for (std::size_t w = 0; w < n.target.size(); ++w) {
        for (std::uint64_t bits = n.target[w]; bits != 0; bits &= bits - 1) {
            const int i = static_cast<int>(w * 64) + std::countr_zero(bits);
            const auto ii = static_cast<std::size_t>(i);
            if (n.cell[ii] != White || !setup.inArea(i) || fs.stamp[ii] == chain) continue;
            fs.stamp[ii] = chain;
            fs.group[static_cast<std::size_t>(stones++)] = static_cast<std::uint8_t>(i);
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
        }
    }
    while (top > 0) {
        const int p = fs.stack[static_cast<std::size_t>(--top)];
        for (const int d : Offsets) {
            const int q = p + d;
            const auto qi = static_cast<std::size_t>(q);
            if (n.cell[qi] != White || fs.stamp[qi] == chain || !setup.inArea(q)) continue;
            fs.stamp[qi] = chain;
            fs.group[static_cast<std::size_t>(stones++)] = static_cast<std::uint8_t>(q);
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
        }
    }
    const auto touchesChain = [&](int p) {
        for (const int d : Offsets)
            if (fs.stamp[static_cast<std::size_t>(p + d)] == chain) return true;
        return false;
    };
    int regions = 0;
    for (int k = 0; k < stones; ++k) {
        const int s = fs.group[static_cast<std::size_t>(k)];
        for (const int d : Offsets) {
            const int start = s + d;
            const auto si = static_cast<std::size_t>(start);
            if (n.cell[si] != Empty || fs.stamp[si] == visited || !setup.inArea(start)) continue;
            bool fails = false;
            top = 0;
            fs.stamp[si] = visited;
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(start);
            while (top > 0 && !fails) {
                const int p = fs.stack[static_cast<std::size_t>(--top)];
                if (n.cell[static_cast<std::size_t>(p)] == Empty && !touchesChain(p)) {
                    fails = true;
                    break;
                }
                for (const int e : Offsets) {
                    const int q = p + e;
                    const auto qi = static_cast<std::size_t>(q);
                    const std::uint8_t c = n.cell[qi];
                    if (c == EdgeCell || c == White || fs.stamp[qi] == visited) continue;
                    if (!setup.inArea(q)) {
                        fails = true;
                        break;
                    }
                    fs.stamp[qi] = visited;
                    fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                }
            }
            if (!fails && ++regions >= 2) return true;
        }
    }
    return false;
}

}  // namespace

bool WhiteUnconditionallyAlive(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
    if (!mayLive(n, setup, fs)) return false;
    constexpr int MaxSets = 64;
    std::array<std::uint8_t, GridPoints> label{};  // chain or region number + 1
    std::array<std::uint64_t, MaxSets> border{}, healthy{};
    std::array<std::uint8_t, MaxSets> chainSafe{};
    int chains = 0, regions = 0;
    std::uint64_t safeMask = 0, targetMask = 0;

    // Chains: white stones of the area, flooded inside it.
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            if (n.cell[static_cast<std::size_t>(i)] != White || label[static_cast<std::size_t>(i)]) continue;
            if (chains == MaxSets) return false;
            const int id = chains++;
            int top = 0;
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
            label[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(id + 1);
            while (top > 0) {
                const int p = fs.stack[static_cast<std::size_t>(--top)];
                if (setup.safe[static_cast<std::size_t>(p)]) chainSafe[static_cast<std::size_t>(id)] = 1;
                if (n.isTarget(p)) targetMask |= std::uint64_t{1} << id;
                for (const int d : Offsets) {
                    const int q = p + d;
                    const auto qi = static_cast<std::size_t>(q);
                    if (n.cell[qi] != White || label[qi]) continue;
                    if (!setup.inArea(q)) {
                        chainSafe[static_cast<std::size_t>(id)] = 1;
                        continue;
                    }
                    label[qi] = static_cast<std::uint8_t>(id + 1);
                    fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                }
            }
            if (chainSafe[static_cast<std::size_t>(id)]) safeMask |= std::uint64_t{1} << id;
        }
    }
    if (chains == 0) return false;

    // Regions: connected non-white points of the area. A region that leaves
    // the area, or holds no empty point, is vital to no chain.
    std::array<std::uint8_t, GridPoints> regionOf{};
    for (int x = setup.x0; x <= setup.x1; ++x) {
        for (int y = setup.y0; y <= setup.y1; ++y) {
            const int i = IndexOf(x, y);
            const std::uint8_t c = n.cell[static_cast<std::size_t>(i)];
            if ((c != Empty && c != Black) || regionOf[static_cast<std::size_t>(i)]) continue;
            if (regions == MaxSets) return false;
            const int id = regions++;
            std::uint64_t adjacent = 0, all = ~std::uint64_t{0};
            bool open = false, anyEmpty = false;
            int top = 0;
            fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(i);
            regionOf[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(id + 1);
            while (top > 0) {
                const int p = fs.stack[static_cast<std::size_t>(--top)];
                const bool empty = n.cell[static_cast<std::size_t>(p)] == Empty;
                std::uint64_t touching = 0;
                for (const int d : Offsets) {
                    const int q = p + d;
                    const auto qi = static_cast<std::size_t>(q);
                    const std::uint8_t qc = n.cell[qi];
                    if (qc == EdgeCell) continue;
                    if (qc == White) {
                        if (label[qi]) touching |= std::uint64_t{1} << (label[qi] - 1);
                        continue;
                    }
                    if (!setup.inArea(q)) {
                        open = true;
                        continue;
                    }
                    if (!regionOf[qi]) {
                        regionOf[qi] = static_cast<std::uint8_t>(id + 1);
                        fs.stack[static_cast<std::size_t>(top++)] = static_cast<std::uint8_t>(q);
                    }
                }
                adjacent |= touching;
                if (empty) {
                    anyEmpty = true;
                    all &= touching;
                }
            }
            border[static_cast<std::size_t>(id)] = adjacent;
            healthy[static_cast<std::size_t>(id)] = (open || !anyEmpty) ? 0 : all;
        }
    }

    std::uint64_t alive = chains == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << chains) - 1;
    for (bool changed = true; changed;) {
        changed = false;
        for (int k = 0; k < chains; ++k) {
            const std::uint64_t bit = std::uint64_t{1} << k;
            if (!(alive & bit) || (safeMask & bit)) continue;
            int vital = 0;
            for (int r = 0; r < regions && vital < 2; ++r) {
                if ((healthy[static_cast<std::size_t>(r)] & bit) && (border[static_cast<std::size_t>(r)] & ~alive) == 0) ++vital;
            }
            if (vital < 2) {
                alive &= ~bit;
                changed = true;
            }
        }
    }
    return (alive & ~safeMask & targetMask) != 0;
}

}  // namespace keldra::prover
