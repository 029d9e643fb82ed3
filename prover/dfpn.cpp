// df-pn with a transposition table. Repetition of a position on the current
// path is a win for white; a disproof that relies on a repetition above the
// node it belongs to is kept only in its parent's child list, never in the
// table. Proofs are stored, then re-checked by verifyBlackWin with the exact
// history before anyone reports them.
#include "prover/dfpn.h"

#include <algorithm>
#include <bit>
#include <new>

namespace keldra::prover {

namespace {

constexpr std::uint64_t RootBanSalt = 0x5DEECE66D1234567ull;
constexpr int BucketSize = 4;
// Positions one re-check may visit: it walks the proof as a tree, so a
// proof that transposes much costs far more than its search did.
constexpr std::int64_t VerifyBudget = 200'000'000;
// Nodes one re-search of a position may spend when the re-check finds its
// proof gone from the table.
constexpr std::uint64_t ReproveBudget = 1'000'000;
// Per position of the main line, where every move's proof is re-checked.
constexpr std::int64_t LineVerifyBudget = 3'000'000;

std::uint32_t capped(std::uint64_t v) { return v >= Infinite ? Infinite : static_cast<std::uint32_t>(v); }

// A sum of children's numbers: infinite only when one of them is. A sum of
// open numbers that grew past the range stays just below it; read as
// infinite it would make the node look settled without a proof, and the
// search would return from it at once, again and again.
std::uint32_t sumOf(std::uint64_t sum, bool anyInfinite) {
    return anyInfinite ? Infinite : static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, Infinite - 1));
}

}  // namespace

ProofTable::ProofTable(std::size_t bytes) {
    std::size_t buckets = 1;
    while (buckets * 2 * BucketSize * sizeof(TableEntry) <= bytes) buckets *= 2;
    count_ = buckets * BucketSize;
    constexpr std::size_t Line = BucketSize * sizeof(TableEntry);
    memory_.reset(std::calloc(count_ * sizeof(TableEntry) + Line, 1));
    if (!memory_) throw std::bad_alloc();
    const auto at = reinterpret_cast<std::uintptr_t>(memory_.get());
    words_ = reinterpret_cast<std::uint64_t*>((at + Line - 1) / Line * Line);
    bucketMask_ = buckets - 1;
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
    __builtin_prefetch(&words_[(key & bucketMask_) * BucketSize * 2]);
}

TableEntry ProofTable::find(std::uint64_t key) const {
    const std::size_t base = (key & bucketMask_) * BucketSize;
    for (int k = 0; k < BucketSize; ++k) {
        const TableEntry e = entryAt(base + static_cast<std::size_t>(k));
        if (e.key == key) return e;
    }
    return TableEntry{};
}

void ProofTable::store(std::uint64_t key, std::uint32_t pn, std::uint32_t dn, std::uint32_t work) {
    const std::size_t base = (key & bucketMask_) * BucketSize;
    std::size_t victim = base;
    TableEntry old;
    std::uint64_t victimWeight = ~std::uint64_t{0};
    for (int k = 0; k < BucketSize; ++k) {
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
}

Searcher::Searcher(const ProblemSetup& setup, ProofTable& table)
    : setup_(setup),
      table_(table),
      nodes_stack_(static_cast<std::size_t>(MaxDepth + 2)),
      keys_(static_cast<std::size_t>(MaxDepth + 2)),
      mostStones_(static_cast<std::size_t>(MaxDepth + 2)),
      placed_(static_cast<std::size_t>(MaxDepth + 2), PassMove),
      lastCapture_(static_cast<std::size_t>(MaxDepth + 2), 0),
      verified_(static_cast<VerifiedNode*>(std::calloc(VerifiedEntries, sizeof(VerifiedNode)))),
      width_(setup.moveCount + 1) {
    if (!verified_) throw std::bad_alloc();
    slots_.resize(static_cast<std::size_t>(MaxDepth + 1) * static_cast<std::size_t>(width_));
    for (int i = 0; i < GridPoints; ++i) rootBanned_ |= setup.rootBan[static_cast<std::size_t>(i)] != 0;
}

std::uint64_t Searcher::keyAt(int d) const {
    return KeyOf(nodes_stack_[static_cast<std::size_t>(d)], rules_) ^ (d == 0 && rootBanned_ ? RootBanSalt : 0);
}

int Searcher::onPath(std::uint64_t key, int d) const {
    for (int i = d; i >= 0; --i) {
        if (keys_[static_cast<std::size_t>(i)] == key) return i;
    }
    return -1;
}

bool Searcher::childAllowed(const SearchNode& n, bool atRoot, int move, const PointMask& reach) const {
    // Black's first move may be anywhere: every one of them is proved.
    if (move != PassMove) return atRoot || WithinReach(move, setup_, reach);
    return n.toMove == White || rules_.unconditional;
}

PointMask Searcher::reachOf(const SearchNode& n) {
    return setup_.hasOpenSide ? ReachOf(n, setup_, fs_) : PointMask{};
}

void Searcher::countNode() {
    ++nodes_;
    if (++unflushed_ < 4096) return;
    if (solveBudget_ != 0 && nodes_ - solveStart_ >= solveBudget_) stopped_ = true;
    if (limits_ == nullptr) return;
    const std::uint64_t total = limits_->nodes.fetch_add(unflushed_) + unflushed_;
    unflushed_ = 0;
    if ((limits_->nodeLimit != 0 && total >= limits_->nodeLimit) || limits_->overdue() ||
        limits_->reached.load(std::memory_order_relaxed)) {
        limits_->reached = true;
        stopped_ = true;
    }
}

ProofValues Searcher::solve(const SearchNode* path, int length) {
    stopped_ = false;
    solveStart_ = nodes_;
    bestMove_ = -1;
    for (int i = 0; i < length; ++i) {
        nodes_stack_[static_cast<std::size_t>(i)] = path[i];
        keys_[static_cast<std::size_t>(i)] = keyAt(i);
    }
    rootDepth_ = length - 1;
    ProofValues v = mid(rootDepth_, Infinite, Infinite);
    if (limits_ != nullptr && unflushed_ != 0) {
        limits_->nodes.fetch_add(unflushed_);
        unflushed_ = 0;
    }
    return v;
}

ProofValues Searcher::mid(int d, std::uint32_t thpn, std::uint32_t thdn) {
    const SearchNode& n = nodes_stack_[static_cast<std::size_t>(d)];
    SearchNode& c = nodes_stack_[static_cast<std::size_t>(d + 1)];
    const bool orNode = n.toMove == Black;
    const std::uint64_t key = keys_[static_cast<std::size_t>(d)];
    const std::uint64_t before = nodes_;
    Slot* slots = &slots_[static_cast<std::size_t>(d) * static_cast<std::size_t>(width_)];
    if (table_.find(key).key == 0 && LivesByItself(n, setup_, fs_)) {
        table_.store(key, Infinite, 0, 0);
        return ProofValues{Infinite, 0, NoDependence};
    }
    int count = 0;
    const PointMask reach = reachOf(n);
    // The parent's eye-like points and liberties, counted when a child
    // first needs them (a node entered again mostly finds its children in
    // the table).
    int parentEyes = -1, parentLiberties = 0;

    // Children are made one ahead of their evaluation, so that the table
    // line a child's key needs is on its way while the one before is looked
    // at.
    auto make = [&](int move, SearchNode& into, std::uint64_t& ck) {
        if (!childAllowed(n, d == 0, move, reach)) return false;
        if (!PlayInto(n, move, into, setup_, rules_, fs_, d == 0)) return false;
        ck = KeyOf(into, rules_);
        table_.prefetch(ck);
        return true;
    };
    auto evaluate = [&](int move, const SearchNode& c, std::uint64_t ck) {
        countNode();
        Slot s{static_cast<std::uint8_t>(move), NoDependence, 1, 1};
        const int rep = onPath(ck, d);
        if (rep >= 0) {
            s.pn = Infinite, s.dn = 0, s.dep = static_cast<std::uint16_t>(rep + 1);
        } else if (const TableEntry e = table_.find(ck); e.key != 0) {
            s.pn = e.pn(), s.dn = e.dn();
        } else {
            // A terminal result depends on the key alone (the pass flag is in
            // the key whenever two passes can end the game), so the table
            // keeps it and the next visit skips the test.
            // Benson's test waits until the search enters the child: most
            // children are never entered.
            const Outcome o = TerminalOf(c, move, n.lastPass != 0, setup_, rules_, fs_, false);
            if (o == Outcome::BlackWins) {
                s.pn = 0, s.dn = Infinite;
                table_.store(ck, 0, Infinite, 0);
            } else if (o == Outcome::WhiteWins) {
                s.pn = Infinite, s.dn = 0;
                table_.store(ck, Infinite, 0, 0);
            } else {
                // More eye space for white: harder to prove, easier to
                // disprove. Where white may run, its liberties count too.
                if (parentEyes < 0) parentEyes = EyeLikePoints(n, setup_, &parentLiberties);
                int eyes = parentEyes, libs = parentLiberties;
                if (c.captured != 0) {
                    libs = 0;
                    eyes = EyeLikePoints(c, setup_, &libs);
                } else if (move != PassMove) {
                    EyeLikePointsAfter(n, c, move, setup_, eyes, libs);
                }
                if (setup_.hasOpenSide) {
                    s.pn = 1 + static_cast<std::uint32_t>(2 * eyes + libs);
                    s.dn = static_cast<std::uint32_t>(std::max(1, 6 - 2 * eyes - libs / 2));
                } else {
                    s.pn = 1 + static_cast<std::uint32_t>(eyes);
                    s.dn = eyes >= 2 ? 1 : static_cast<std::uint32_t>(3 - eyes);
                }
            }
        }
        slots[count++] = s;
    };
    {
        SearchNode* made[2] = {&c, &spare_};
        int waiting = -1, waitingIn = 0;
        std::uint64_t waitingKey = 0;
        for (int k = 0; k <= setup_.moveCount; ++k) {
            const int move = k < setup_.moveCount ? setup_.moves[static_cast<std::size_t>(k)] : PassMove;
            const int into = waiting < 0 ? waitingIn : 1 - waitingIn;
            std::uint64_t ck = 0;
            if (!make(move, *made[into], ck)) continue;
            if (waiting >= 0) evaluate(waiting, *made[waitingIn], waitingKey);
            waiting = move, waitingIn = into, waitingKey = ck;
        }
        if (waiting >= 0) evaluate(waiting, *made[waitingIn], waitingKey);
    }

    ProofValues result;
    for (;;) {
        // Combine the children.
        std::uint64_t pnSum = 0, dnSum = 0;
        std::uint32_t pnMin = Infinite, dnMin = Infinite, pnMax = 0, dnMax = 0;
        int best = -1;
        std::uint32_t second = Infinite;
        std::uint16_t depAll = NoDependence, depAny = 0;
        bool anyDisproved = false;
        for (int i = 0; i < count; ++i) {
            const Slot& s = slots[i];
            pnSum += s.pn, dnSum += s.dn;
            if (s.dn == 0) {
                depAll = std::min(depAll, s.dep);
                if (!anyDisproved || s.dep > depAny) depAny = s.dep;
                anyDisproved = true;
            }
            const std::uint32_t key1 = orNode ? s.pn : s.dn;
            const std::uint32_t bestKey = best < 0 ? Infinite + 1 : (orNode ? slots[best].pn : slots[best].dn);
            if (key1 < bestKey) {
                second = best < 0 ? Infinite : bestKey;
                best = i;
            } else if (key1 < second) {
                second = key1;
            }
            pnMin = std::min(pnMin, s.pn), pnMax = std::max(pnMax, s.pn);
            dnMin = std::min(dnMin, s.dn), dnMax = std::max(dnMax, s.dn);
        }
        if (orNode) {
            result.pn = count == 0 ? Infinite : pnMin;
            result.dn = count == 0 ? 0 : sumOf(dnSum, dnMax >= Infinite);
            result.dep = result.dn == 0 ? (count == 0 ? NoDependence : depAll) : NoDependence;
        } else {
            result.pn = sumOf(pnSum, pnMax >= Infinite);
            result.dn = dnMin;
            result.dep = result.dn == 0 ? depAny : NoDependence;
        }
        if (result.pn >= thpn || result.dn >= thdn || result.pn == 0 || result.dn == 0 || stopped_) {
            if (d == rootDepth_) {
                bestMove_ = -1;
                for (int i = 0; i < count; ++i) {
                    if ((result.pn == 0 && slots[i].pn == 0 && orNode) || (result.dn == 0 && slots[i].dn == 0 && !orNode && slots[i].dep == depAny)) {
                        bestMove_ = slots[i].move;
                        break;
                    }
                }
            }
            break;
        }
        Slot& s = slots[best];
        if (d + 2 >= MaxDepth) {
            // Too deep to follow: the child counts as a win for white that
            // no proof may rely on. Black's proofs elsewhere stay exact; a
            // disproof that needs it is never stored and reads as unknown.
            s.pn = Infinite, s.dn = 0, s.dep = CutOff;
            continue;
        }
        std::uint32_t cthpn, cthdn;
        // The best child may grow a quarter past the second best before the
        // search turns to it: values then grow geometrically, not by ones.
        const std::uint32_t beyondSecond = capped(std::max<std::uint64_t>(std::uint64_t{second} + 1, std::uint64_t{second} * 5 / 4));
        if (orNode) {
            cthpn = std::min(thpn, beyondSecond);
            cthdn = thdn >= Infinite ? Infinite : capped(std::uint64_t{thdn} - dnSum + s.dn);
        } else {
            cthdn = std::min(thdn, beyondSecond);
            cthpn = thpn >= Infinite ? Infinite : capped(std::uint64_t{thpn} - pnSum + s.pn);
        }
        PlayInto(n, s.move, c, setup_, rules_, fs_, d == 0);
        keys_[static_cast<std::size_t>(d + 1)] = KeyOf(c, rules_);
        const ProofValues v = mid(d + 1, cthpn, cthdn);
        s.pn = v.pn, s.dn = v.dn, s.dep = v.dep;
    }

    const bool dependent = result.dn == 0 && result.dep <= d;
    if (!dependent) {
        const std::uint64_t work = nodes_ - before;
        table_.store(key, result.pn, result.dn, static_cast<std::uint32_t>(std::min<std::uint64_t>(work, 0xFFFFFFFFu)));
    }
    return result;
}

// Positions of the proof and of the path can be equal only when their stones
// are. Two tests, either enough for a path position:
// - Stone counts: every position of the proof has more stones, or more
//   black ones, or more white ones, than it.
// - The last stone: the stone whose move made the proved position stands in
//   every position of the proof when no capture there empties its point. It
//   was placed on an empty point, and a point stays empty up the path until
//   a move that captured: path positions from the last capture on lack it.
bool Searcher::reusable(int d, const ProofExtent& extent) const {
    if (d == 0) return true;
    const int stone = placed_[static_cast<std::size_t>(d)];
    int above = d;  // the path positions the counts must settle: depths below this
    if (stone != PassMove && !HasPoint(extent.emptied, stone))
        above = lastCapture_[static_cast<std::size_t>(d - 1)];
    return above == 0 || mostStones_[static_cast<std::size_t>(above - 1)].below(extent.fewest);
}

int Searcher::verify(int d, ProofExtent& extent) {
    if (--verifyBudget_ < 0 || d + 2 >= MaxDepth) {
        verifyCut_ |= verifyBudget_ < 0;
        return -1;
    }
    if ((verifyBudget_ & 4095) == 0 && limits_ != nullptr && limits_->overdue()) {
        limits_->reached = true;
        verifyBudget_ = -1;
        verifyCut_ = true;
        return -1;
    }
    const std::uint64_t key = keys_[static_cast<std::size_t>(d)];
    VerifiedNode& memo = verified_[key & (VerifiedEntries - 1)];
    // A proof checked before under another history holds here too when no
    // position of it can repeat one above.
    if (memo.key == key && reusable(d, memo.extent)) {
        extent = memo.extent;
        return memo.height;
    }
    const SearchNode& n = nodes_stack_[static_cast<std::size_t>(d)];
    SearchNode& c = nodes_stack_[static_cast<std::size_t>(d + 1)];
    const bool blackToMove = n.toMove == Black;
    if (blackToMove && LivesByItself(n, setup_, fs_)) return -1;
    int height = 0;
    extent = ProofExtent{};
    const PointMask reach = reachOf(n);
    ProofExtent child;
    auto visit = [&](int move) -> int {  // -2: not a child; -1: fails; else height
        child = ProofExtent{};
        if (!childAllowed(n, d == 0, move, reach) || !PlayInto(n, move, c, setup_, rules_, fs_, d == 0)) return -2;
        // The move's own stones and the points its capture empties.
        ProofExtent here{StoneCounts::of(c), {}};
        for (int i = 0; c.captured != 0 && i < GridPoints; ++i)
            if (c.cell[static_cast<std::size_t>(i)] == Empty && n.cell[static_cast<std::size_t>(i)] != Empty) AddPoint(here.emptied, i);
        const std::uint64_t ck = KeyOf(c, rules_);
        if (onPath(ck, d) >= 0) return -1;
        // A capture of every target repeats nothing: the path always held one.
        // A black move without a proof in the table fails unless it ends the
        // game at once; the test for white's life is left out there, as it
        // could only make the move fail. After a white move the test waits
        // for the child's own check, which a remembered proof skips.
        const bool tableProof = blackToMove && [&] {
            const TableEntry e = table_.find(ck);
            return e.key != 0 && e.pn() == 0;
        }();
        const Outcome o = TerminalOf(c, move, n.lastPass != 0, setup_, rules_, fs_, tableProof);
        if (o == Outcome::BlackWins) {
            child.emptied = here.emptied;
            return 1;
        }
        if (o == Outcome::WhiteWins || (blackToMove && !tableProof)) return -1;
        keys_[static_cast<std::size_t>(d + 1)] = ck;
        mostStones_[static_cast<std::size_t>(d + 1)] = mostStones_[static_cast<std::size_t>(d)].atLeast(here.fewest);
        placed_[static_cast<std::size_t>(d + 1)] = move;
        lastCapture_[static_cast<std::size_t>(d + 1)] = c.captured != 0 ? d + 1 : lastCapture_[static_cast<std::size_t>(d)];
        const int h = verify(d + 1, child);
        child.include(here);
        return h < 0 ? -1 : h + 1;
    };
    const auto remember = [&](int h, int move) {
        memo = VerifiedNode{key, h, move, extent};
        return h;
    };
    // Where this position's proof was walked under another history, black's
    // move then is tried first.
    if (blackToMove && memo.key == key && memo.move >= 0) {
        const int move = memo.move;
        const int h = visit(move);
        if (h >= 0) {
            extent = child;
            return remember(h, move);
        }
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (int k = 0; k <= setup_.moveCount; ++k) {
            const int move = k < setup_.moveCount ? setup_.moves[static_cast<std::size_t>(k)] : PassMove;
            const int h = visit(move);
            if (h == -2) continue;
            if (blackToMove) {
                if (h >= 0) {
                    extent = child;
                    return remember(h, move);
                }
            } else {
                if (h < 0) return -1;
                height = std::max(height, h);
                extent.include(child);
            }
        }
        if (!blackToMove) return remember(height, -1);
        // No move of black's leads to a proof in the table: the entries may
        // have been replaced since. Search this node again, with the exact
        // history above it, and look once more.
        if (attempt == 0 && !reprove(d)) return -1;
    }
    return -1;
}

bool Searcher::reprove(int d) {
    if (!research_ || verifyBudget_ <= 0) return false;
    const std::uint64_t savedBudget = solveBudget_, savedStart = solveStart_, before = nodes_;
    const int savedRoot = rootDepth_;
    const bool savedStopped = stopped_;
    solveBudget_ = ReproveBudget;
    solveStart_ = nodes_;
    rootDepth_ = -1;
    stopped_ = false;
    const ProofValues v = mid(d, Infinite, Infinite);
    const bool cut = stopped_;
    solveBudget_ = savedBudget, solveStart_ = savedStart, rootDepth_ = savedRoot, stopped_ = savedStopped;
    verifyBudget_ -= static_cast<std::int64_t>(nodes_ - before);
    if (v.pn != 0 && cut) verifyCut_ = true;
    return v.pn == 0;
}

int Searcher::verifyBlackWin(const SearchNode* path, int length) { return verifyWithin(path, length, VerifyBudget, true); }

int Searcher::verifyWithin(const SearchNode* path, int length, std::int64_t budget, bool research) {
    for (int i = 0; i < length; ++i) {
        nodes_stack_[static_cast<std::size_t>(i)] = path[i];
        keys_[static_cast<std::size_t>(i)] = keyAt(i);
        const StoneCounts stones = StoneCounts::of(path[i]);
        mostStones_[static_cast<std::size_t>(i)] = i == 0 ? stones : mostStones_[static_cast<std::size_t>(i - 1)].atLeast(stones);
        // The stone that made the position: a point empty before, now the
        // mover's.
        int stone = PassMove;
        for (int p = 0; i > 0 && p < GridPoints; ++p) {
            const auto pp = static_cast<std::size_t>(p);
            if (path[i - 1].cell[pp] == Empty && path[i].cell[pp] == path[i - 1].toMove) stone = p;
        }
        placed_[static_cast<std::size_t>(i)] = stone;
        const int before = i == 0 ? 0 : lastCapture_[static_cast<std::size_t>(i - 1)];
        lastCapture_[static_cast<std::size_t>(i)] = i > 0 && path[i].captured != 0 ? i : before;
    }
    verifyBudget_ = budget;
    verifyCut_ = false;
    research_ = research;
    ProofExtent extent;
    return verify(length - 1, extent);
}

int Searcher::provedChoice(std::vector<SearchNode>& walk) {
    const SearchNode n = walk.back();  // a copy: pushing onto walk may move its nodes
    const int d = static_cast<int>(walk.size()) - 1;
    int chosen = -1, chosenHeight = -1;
    SearchNode child;
    const PointMask reach = reachOf(n);
    for (int k = 0; k <= setup_.moveCount; ++k) {
        const int move = k < setup_.moveCount ? setup_.moves[static_cast<std::size_t>(k)] : PassMove;
        if (!childAllowed(n, d == 0, move, reach) || !PlayInto(n, move, child, setup_, rules_, fs_, d == 0)) continue;
        const Outcome o = TerminalOf(child, move, n.lastPass != 0, setup_, rules_, fs_);
        int h;
        if (o == Outcome::BlackWins) {
            h = 0;
        } else if (o == Outcome::WhiteWins) {
            h = -1;
        } else {
            walk.push_back(child);
            h = verifyWithin(walk.data(), static_cast<int>(walk.size()), LineVerifyBudget, false);
            walk.pop_back();
        }
        if (n.toMove == Black) {
            // Black's quickest proved kill.
            if (h >= 0 && (chosen < 0 || h < chosenHeight)) chosenHeight = h, chosen = move;
        } else {
            if (h < 0) return -1;
            if (h > chosenHeight) chosenHeight = h, chosen = move;
        }
    }
    return chosen;
}

std::vector<int> Searcher::provedLine(const SearchNode* path, int length) {
    std::vector<int> line;
    std::vector<SearchNode> walk(path, path + length);
    walk.reserve(MaxDepth);
    while (static_cast<int>(walk.size()) < MaxDepth - 2) {
        const SearchNode n = walk.back();
        const int chosen = provedChoice(walk);
        if (chosen < 0) return {};
        SearchNode child;
        PlayInto(n, chosen, child, setup_, rules_, fs_, walk.size() == 1);
        line.push_back(chosen);
        if (TerminalOf(child, chosen, n.lastPass != 0, setup_, rules_, fs_) == Outcome::BlackWins) return line;
        walk.push_back(child);
    }
    return {};
}

int Searcher::longestResistance(const SearchNode* path, int length) {
    std::vector<SearchNode> walk(path, path + length);
    return provedChoice(walk);
}

}  // namespace keldra::prover
