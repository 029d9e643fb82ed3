// Benson's test of unconditional life over the play area: a chain lives when
// it borders two regions vital to it whose other bordering chains live too,
// iterated to a fixed point.
#include "prover/benson.h"

namespace keldra::prover {

bool WhiteUnconditionallyAlive(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs) {
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
