// df-pn with a transposition table. Repetition of a position on the current
// path is a win for white; a disproof that relies on a repetition above the
// node it belongs to is kept only in its parent's child list, never in the
// table. Proofs are stored, then re-checked by verifyBlackWin (recheck.cpp)
// with the exact history before anyone reports them.
#include "prover/dfpn.h"

#include <algorithm>
#include <new>

#include "prover/eye_space.h"

namespace keldra::prover {

namespace {

constexpr std::uint64_t RootBanSalt = 0x5DEECE66D1234567ull;
// The weight of white's eye-like points and liberties in a new child's
// numbers on the open side.
constexpr int OpenWeight = 4;

std::uint32_t capped(std::uint64_t v) { return v >= Infinite ? Infinite : static_cast<std::uint32_t>(v); }

// A sum of children's numbers: infinite only when one of them is. A sum of
// open numbers that grew past the range stays just below it; read as
// infinite it would make the node look settled without a proof, and the
// search would return from it at once, again and again.
std::uint32_t sumOf(std::uint64_t sum, bool anyInfinite) {
    return anyInfinite ? Infinite : static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, Infinite - 1));
}

}  // namespace

Searcher::Searcher(const ProblemSetup& setup, ProofTable& table)
    : setup_(setup),
      table_(table),
      nodes_stack_(static_cast<std::size_t>(MaxDepth + 2)),
      keys_(static_cast<std::size_t>(MaxDepth + 2)),
      mostStones_(static_cast<std::size_t>(MaxDepth + 2)),
      placed_(static_cast<std::size_t>(MaxDepth + 2), PassMove),
      lastCapture_(static_cast<std::size_t>(MaxDepth + 2), 0),
      verified_(static_cast<VerifiedNode*>(std::calloc(VerifiedEntries, sizeof(VerifiedNode)))),
      width_(setup.moveCount + 1),
      children_(static_cast<std::size_t>(width_)),
      childMoves_(static_cast<std::size_t>(width_)),
      childKeys_(static_cast<std::size_t>(width_)) {
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
    MoveGenerator moves(n, setup_, rules_, d == 0, fs_);
    // The parent's eye-like points and liberties, counted when a child
    // first needs them (a node entered again mostly finds its children in
    // the table).
    int parentEyes = -1, parentLiberties = 0;

    auto evaluate = [&](int move, const SearchNode& c, std::uint64_t ck) {
        countNode();
        Slot s{static_cast<std::uint8_t>(move), NoDependence, 1, 1};
        const int rep = onPath(ck, d);
        if (rep >= 0) {
            s.pn = Infinite, s.dn = 0, s.dep = static_cast<std::uint16_t>(rep + 1);
        } else if (const TableEntry e = table_.find(ck); e.key != 0) {
            s.pn = e.pn(), s.dn = e.dn();
        } else {
            // More eye space for white: harder to prove, easier to
            // disprove. Where white may run, its liberties count too,
            // and both weigh four times a node: a child with a point
            // more for white then stands clearly behind its siblings
            // (once or eight times counted found fewer kills). The
            // liberties also spare the terminal test the eye space where
            // it cannot be dead: a dead space holds DeadSpaceMost
            // liberties at most.
            if (parentEyes < 0) parentEyes = EyeLikePoints(n, setup_, &parentLiberties);
            int eyes = parentEyes, libs = parentLiberties;
            if (c.captured != 0) {
                libs = 0;
                eyes = EyeLikePoints(c, setup_, &libs);
            } else if (move != PassMove) {
                EyeLikePointsAfter(n, c, move, setup_, eyes, libs);
            }
            // A terminal result depends on the key alone (the pass flag is in
            // the key whenever two passes can end the game), so the table
            // keeps it and the next visit skips the test.
            // Benson's test waits until the search enters the child: most
            // children are never entered.
            const Outcome o = TerminalOf(c, move, n.lastPass != 0, setup_, rules_, fs_, false, libs <= DeadSpaceMost);
            if (o == Outcome::BlackWins) {
                s.pn = 0, s.dn = Infinite;
                table_.store(ck, 0, Infinite, 0);
            } else if (o == Outcome::WhiteWins) {
                s.pn = Infinite, s.dn = 0;
                table_.store(ck, Infinite, 0, 0);
            } else {
                if (setup_.hasOpenSide) {
                    s.pn = 1 + static_cast<std::uint32_t>(OpenWeight * (2 * eyes + libs));
                    s.dn = static_cast<std::uint32_t>(std::max(1, OpenWeight * (6 - 2 * eyes) - OpenWeight * libs / 2));
                } else {
                    s.pn = 1 + static_cast<std::uint32_t>(eyes);
                    s.dn = eyes >= 2 ? 1 : static_cast<std::uint32_t>(3 - eyes);
                }
            }
        }
        slots[count++] = s;
    };
    {
        // Every child is made and its table line requested before the first
        // is looked at: the lines arrive while the others are made, and the
        // misses overlap instead of following one another.
        int made = 0;
        for (;;) {
            SearchNode& child = children_[static_cast<std::size_t>(made)];
            const int move = moves.next(child);
            if (move < 0) break;
            const std::uint64_t ck = KeyOf(child, rules_);
            table_.prefetch(ck);
            childMoves_[static_cast<std::size_t>(made)] = move;
            childKeys_[static_cast<std::size_t>(made)] = ck;
            ++made;
        }
        for (int i = 0; i < made; ++i)
            evaluate(childMoves_[static_cast<std::size_t>(i)], children_[static_cast<std::size_t>(i)],
                     childKeys_[static_cast<std::size_t>(i)]);
    }

    ProofValues result;
    for (;;) {
        // Combine the children.
        std::uint64_t dnSum = 0;
        std::uint32_t pnMin = Infinite, dnMin = Infinite, pnMax = 0, dnMax = 0;
        int best = -1;
        std::uint32_t second = Infinite;
        std::uint16_t depAll = NoDependence, depAny = 0;
        bool anyDisproved = false;
        int pnOpen = 0;  // children not proved
        for (int i = 0; i < count; ++i) {
            const Slot& s = slots[i];
            dnSum += s.dn;
            pnOpen += s.pn != 0;
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
        // The children not proved beside the one with the largest proof
        // number: the weak proof number counts one for each.
        const std::uint64_t pnOthers = pnOpen > 0 ? pnOpen - 1 : 0;
        if (orNode) {
            result.pn = count == 0 ? Infinite : pnMin;
            result.dn = count == 0 ? 0 : sumOf(dnSum, dnMax >= Infinite);
            result.dep = result.dn == 0 ? (count == 0 ? NoDependence : depAll) : NoDependence;
        } else {
            // The weak proof number: the largest child's, and one for each
            // other child not proved. White's defences reach the same
            // positions in other orders, and a sum counts that work again
            // under every defence.
            result.pn = sumOf(std::uint64_t{pnMax} + pnOthers, pnMax >= Infinite);
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
        // A helper leaves white's most promising defence to the other thread
        // and settles the next one.
        bool aside = false;
        if (helper_ && d == rootDepth_ && !orNode) {
            int next = -1;
            for (int i = 0; i < count; ++i) {
                if (i == best || slots[i].pn == 0 || slots[i].dn == 0) continue;
                if (next < 0 || slots[i].dn < slots[next].dn) next = i;
            }
            if (next >= 0) best = next, aside = true;
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
            cthdn = aside ? thdn : std::min(thdn, beyondSecond);
            // Under the weak proof number the child may grow until the
            // node's number reaches the threshold.
            cthpn = thpn >= Infinite ? Infinite : capped(std::uint64_t{thpn} - pnOthers);
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

}  // namespace keldra::prover
