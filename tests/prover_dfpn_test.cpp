// The prover's search parts: the transposition table, written and read by
// two threads at once in one crowded bucket (a lookup finds either nothing
// or the numbers stored for that very key, never a mix of two writes), and
// the re-check's memory of walked proofs under a new history.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "prover/dfpn.h"
#include "prover/first_move.h"
#include "prover_composed_problems.h"
#include "solver_positions.h"

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

// A composed problem after black's first move, proved and walked once with
// only the start above it, and white's answer to that move.
struct WalkedProof {
    keldra::prover::ProblemSetup setup;
    keldra::prover::SearchRules rules{keldra::White, false};
    keldra::prover::SearchNode root, move, answer;
    keldra::prover::ProofTable table{1u << 20};
    std::unique_ptr<keldra::prover::Searcher> searcher;

    WalkedProof(const char* rows, int x, int y, int answerX, int answerY) {
        using namespace keldra::prover;
        const keldra::Board board = keldra::test::ComposedBoard(rows);
        setup = SetupOf(board, keldra::Black);
        root = RootNode(board, setup, keldra::Black);
        FillScratch fs;
        EXPECT_TRUE(PlayInto(root, keldra::IndexOf(x, y), move, setup, rules, fs, true));
        EXPECT_TRUE(PlayInto(move, keldra::IndexOf(answerX, answerY), answer, setup, rules, fs, false));
        searcher = std::make_unique<Searcher>(setup, table);
        searcher->setRules(rules);
        const SearchNode played[] = {root, move};
        EXPECT_EQ(searcher->solve(played, 2).pn, 0u) << "black's move kills";
        EXPECT_GE(searcher->verifyBlackWin(played, 2), 0);
    }
    int walk(std::initializer_list<keldra::prover::SearchNode> path) {
        const std::vector<keldra::prover::SearchNode> p(path);
        return searcher->verifyBlackWin(p.data(), static_cast<int>(p.size()));
    }
};

// A walked proof is remembered, but a history that holds one of its
// positions makes white's move there a repetition, which white wins: the
// remembered proof must not stand in for a new walk.
TEST(ProverRecheck, RememberedProofYieldsWhereThePathHoldsOneOfItsPositions) {
    WalkedProof straight(R"(
        ...OX
        OOOOX
        XXXXX)", 2, 1, 1, 1);
    EXPECT_LT(straight.walk({straight.root, straight.answer, straight.move}), 0)
        << "white's answer at (1,1) repeats a position of the path";
    EXPECT_GE(straight.walk({straight.root, straight.move}), 0) << "the first history still holds";

    // Black's atari from outside at (6,1) stands in every position of its
    // proof. A path position above a capture that emptied (6,1) may hold
    // it, so only the stone counts can clear such a position; here white's
    // answer is on the path and they do not.
    WalkedProof outside(R"(
        .O.OO.X
        OOXXXXX
        XXX....)", 6, 1, 3, 1);
    keldra::prover::SearchNode emptiedAgain = outside.root;
    emptiedAgain.captured = 1;
    EXPECT_LT(outside.walk({outside.root, outside.answer, emptiedAgain, outside.move}), 0)
        << "the path holds white's answer above the capture";
}

// A second search behind the first-move seam that claims a proof for every
// move: its claims count only where the re-check finds the kill, whatever
// the search says.
class ClaimsEveryKill final : public keldra::prover::FirstMoveSearch {
public:
    keldra::prover::FirstMoveClaim search(const keldra::prover::FirstMoveTask&) override {
        return {keldra::prover::MoveOutcome::Proved, -1, 1, 0};
    }
};

TEST(ProverFirstMove, AClaimedProofCountsOnlyWhereTheRecheckHoldsIt) {
    using namespace keldra::prover;
    const struct {
        const char* rows;
        int x, y;
        bool kills;
    } cases[] = {
        {"...OX\nOOOOX\nXXXXX", 2, 1, true},    // straight three: the middle kills
        {"...OX\nOOOOX\nXXXXX", 1, 1, false},   // the side point does not
        {"...OX\nOOOOX\nXXXXX", 3, 1, false},
        {"..OX\n.OOX\nOOXX\nXXX.", 2, 1, false},  // bent three: only the bend kills
        {"..OX\n.OOX\nOOXX\nXXX.", 1, 1, true},
    };
    for (const auto& c : cases) {
        const keldra::Board board = keldra::test::ComposedBoard(c.rows);
        const ProblemSetup setup = SetupOf(board, keldra::Black);
        const SearchNode root = RootNode(board, setup, keldra::Black);
        ProofTable table(1u << 20);
        Searcher checker(setup, table);
        ClaimsEveryKill liar;
        const SearchRules rules{keldra::White, false, 0, true};
        const MoveProof p = ProveFirstMove(liar, checker, setup, rules, root, keldra::IndexOf(c.x, c.y), 0);
        EXPECT_EQ(p.outcome == MoveOutcome::Proved, c.kills) << c.rows << " at " << c.x << "," << c.y;
        // The same move through df-pn gives the same answer.
        ProofTable own(1u << 20);
        Searcher s(setup, own);
        DfpnFirstMove dfpn(s);
        const MoveProof q = ProveFirstMove(dfpn, s, setup, rules, root, keldra::IndexOf(c.x, c.y), 0);
        EXPECT_EQ(q.outcome, c.kills ? MoveOutcome::Proved : MoveOutcome::Disproved) << c.rows;
    }
}

// A helper takes white's defences in another order, alone or beside a
// normal search of the same move in the same table (as the threads of one
// proof do): whatever either settles must be what a lone search settles.
TEST(ProverFirstMove, AHelperSettlesAMoveAsALoneSearchDoes) {
    using namespace keldra::prover;
    constexpr std::uint64_t Budget = 60'000;
    int compared = 0, helperSettled = 0, index = 0;
    const auto each = [&](const char* name, const char* rows) {
        if (index++ % static_cast<int>(keldra::test::PositionStride()) != 0) return;
        const keldra::Board board = keldra::test::ComposedBoard(rows);
        const ProblemSetup setup = SetupOf(board, keldra::Black);
        if (!setup.hasTarget || setup.escaped) return;
        const SearchNode root = RootNode(board, setup, keldra::Black);
        for (const SearchRules rules : {SearchRules{keldra::White, false, 0, true}, SearchRules{keldra::Black, false}}) {
            for (const int point : FirstMovesOf(root, setup, rules)) {
                ProofTable lone(1u << 20);
                Searcher s(setup, lone);
                DfpnFirstMove dfpn(s);
                const MoveProof want = ProveFirstMove(dfpn, s, setup, rules, root, point, Budget);
                if (want.outcome == MoveOutcome::Unknown) continue;
                ProofTable shared(1u << 20);
                Searcher a(setup, shared), b(setup, shared);
                DfpnFirstMove da(a), db(b);
                MoveProof alone, beside, helped;
                {
                    ProofTable own(1u << 20);
                    Searcher h(setup, own);
                    DfpnFirstMove dh(h);
                    alone = ProveFirstMove(dh, h, setup, rules, root, point, Budget, true);
                }
                std::thread helper([&] { helped = ProveFirstMove(db, b, setup, rules, root, point, Budget, true); });
                beside = ProveFirstMove(da, a, setup, rules, root, point, Budget);
                helper.join();
                for (const MoveProof* got : {&alone, &beside, &helped}) {
                    if (got->outcome == MoveOutcome::Unknown) continue;
                    EXPECT_EQ(got->outcome, want.outcome) << name << " at " << PointX(point) << ","
                                                          << PointY(point);
                    helperSettled += got != &beside;
                }
                ++compared;
            }
        }
    };
    for (const auto& p : keldra::test::ComposedProblems) each(p.name, p.rows);
    for (const auto& p : keldra::test::OpenCornerProblems) each(p.name, p.rows);
    EXPECT_GE(compared, keldra::test::AtLeast(200));
    EXPECT_GE(helperSettled, compared);
}

}  // namespace
