// The prover on composed problems whose answers a Go player knows, on the
// bundled problems, and through keldra-cli prove.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <sstream>
#include <string>
#include <vector>

#include "BAN/problem_file.h"
#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_reader.h"
#include "cli/cli.h"
#include "prover/prover.h"
#include "test_support.h"
#include "prover_composed_problems.h"

namespace {

using namespace keldra;
using prover::Verdict;
using test::ComposedBoard;
using test::ComposedProblems;

std::string movesText(const std::vector<prover::ProverMove>& moves) {
    std::string s;
    for (const auto& m : moves) {
        if (!s.empty()) s += ' ';
        s += std::to_string(m.x);
        s += ',';
        s += std::to_string(m.y);
    }
    return s;
}

TEST(ProverProblems, ComposedProblemsHaveTheirKnownAnswers) {
    prover::ProveOptions options;
    options.tableBytes = 8u << 20;
    for (const test::Composed& p : ComposedProblems) {
        const Board board = ComposedBoard(p.rows);
        EXPECT_TRUE(test::EveryGroupBreathes(board)) << p.name << ": a group without a liberty";
        const prover::ProveResult r = prover::Prove(board, options);
        EXPECT_STREQ(prover::VerdictToken(r.verdict), prover::VerdictToken(p.verdict)) << p.name << "\n" << test::PictureOf(board);
        EXPECT_EQ(movesText(r.kills), p.kills) << p.name;
        EXPECT_EQ(movesText(r.koKills), p.koKills) << p.name;
        if (!r.kills.empty() || !r.koKills.empty()) {
            ASSERT_FALSE(r.line.empty()) << p.name;
            EXPECT_EQ(r.line.front(), r.kills.empty() ? r.koKills.front() : r.kills.front()) << p.name;
        }
    }
}

// Each ko kill's threats, and the weaker kos left out of the ko kills.
TEST(ProverProblems, KoKillsCountTheirThreats) {
    prover::ProveOptions options;
    options.tableBytes = 8u << 20;
    options.seconds = 0;
    for (const test::KoStatusProblem& p : test::KoStatusProblems) {
        const prover::ProveResult r = prover::Prove(ComposedBoard(p.rows), options);
        EXPECT_STREQ(prover::VerdictToken(r.verdict), prover::VerdictToken(p.verdict)) << p.name;
        EXPECT_EQ(movesText(r.kills), p.kills) << p.name;
        EXPECT_EQ(movesText(r.koKills), p.koKills) << p.name;
        EXPECT_EQ(movesText(r.weakerKo), p.weakerKo) << p.name;
        std::string threats;
        for (const prover::RootResult& f : r.firstMoves) {
            if (!f.koCounted()) continue;
            if (!threats.empty()) threats += ' ';
            threats += movesText({f.move});
            for (const int n : {f.blackNeeds, f.whiteNeeds}) {
                threats += ',';
                threats += n == prover::MoreThreats ? std::string("more") : std::to_string(n);
            }
        }
        EXPECT_EQ(threats, p.threats) << p.name;
    }
}

// Options without a time limit: the node limit alone ends a proof.
prover::ProveOptions withoutTimeLimit(std::size_t tableBytes, std::uint64_t nodeLimit) {
    prover::ProveOptions options;
    options.tableBytes = tableBytes;
    options.seconds = 0;
    options.nodeLimit = nodeLimit;
    return options;
}

// Two and three white groups: the default target (the enclosed groups),
// and a named one changing the verdict.
TEST(ProverProblems, MultiGroupProblemsProveTheirTarget) {
    prover::ProveOptions options = withoutTimeLimit(16u << 20, 20'000'000);
    for (const test::MultiGroup& p : test::MultiGroupProblems) {
        const Board board = ComposedBoard(p.rows);
        EXPECT_TRUE(test::EveryGroupBreathes(board)) << p.name << ": a group without a liberty";
        options.targetX = p.targetX, options.targetY = p.targetY;
        const prover::ProveResult r = prover::Prove(board, options);
        EXPECT_STREQ(prover::VerdictToken(r.verdict), prover::VerdictToken(p.verdict)) << p.name << "\n" << test::PictureOf(board);
        EXPECT_EQ(movesText(r.kills), p.kills) << p.name;
        EXPECT_EQ(movesText(r.koKills), p.koKills) << p.name;
        EXPECT_EQ(movesText({r.target}), p.target) << p.name;
    }
}

// A mark on a white stone in an SGF file names the target: the two enclosed
// groups above, the corner group marked, die; the straight four marked, or
// a mark on a black stone, leave white alive.
TEST(ProverProblems, SgfMarkOnAWhiteStoneNamesTheTarget) {
    const std::string stones =
        "(;GM[1]FF[4]SZ[13]AB[da][ea][la][db][eb][lb][ac][bc][cc][dc][ec][fc][gc][hc][ic][jc][kc][lc]"
        "AW[ca][fa][ka][ab][bb][cb][fb][gb][hb][ib][jb][kb]";
    const struct {
        const char* marks;
        const char* verdict;
        const char* target;
    } cases[] = {
        {"", "alive", "1,2"},        {"MA[ca]", "kill", "1,2"}, {"TR[bb]", "kill", "1,2"},
        {"SQ[fa]", "alive", "6,1"}, {"MA[da]", "alive", "1,2"}, {"MA[da][ab]", "kill", "1,2"},
    };
    for (const auto& c : cases) {
        const SgfLoad load = ParseSgf(stones + c.marks + ")");
        ASSERT_TRUE(load.ok) << c.marks;
        const FittedProblem fit = FitSgfGame(load.game);
        ASSERT_TRUE(fit.ok) << c.marks;
        Board board;
        InitBoard(board);
        ApplyProblem(board, fit.stones);
        prover::ProveOptions options = withoutTimeLimit(8u << 20, 1'000'000);
        options.targetX = fit.targetX, options.targetY = fit.targetY;
        const prover::ProveResult r = prover::Prove(board, options);
        EXPECT_STREQ(prover::VerdictToken(r.verdict), c.verdict) << c.marks;
        EXPECT_EQ(movesText({r.target}), c.target) << c.marks;
    }
}

// Proves a classical corner and checks that its book move is among the
// killing moves (with `koCounts`, among the ko-killing ones too).
prover::ProveResult proveBookCorner(const test::ClassicalCorner& p, const prover::ProveOptions& options, bool koCounts) {
    const Board board = ComposedBoard(p.rows);
    const prover::ProveResult r = prover::Prove(board, options);
    std::string kills = movesText(r.kills);
    if (koCounts) {
        kills += ' ';
        kills += movesText(r.koKills);
    }
    std::string padded = " ";
    padded += kills;
    padded += ' ';
    EXPECT_NE(padded.find(std::string(" ") + p.book + " "), std::string::npos)
        << p.name << ": " << prover::VerdictToken(r.verdict) << ", book move " << p.book << ", killing moves "
        << kills << "\n" << test::PictureOf(board);
    return r;
}

// Corners with an open board beyond a loose wall: the proof finishes, and
// the book's killing move is among the killing (or ko-killing) moves.
// No time limit: the node limit alone ends a proof, so a slow build (the
// sanitizers) reaches the same answers; KELDRA_PROVER_STRIDE or
// KELDRA_GOLDEN_STRIDE=k keeps every k-th corner, the cheapest first.
TEST(ProverProblems, ClassicalCornersListTheBookMove) {
    const prover::ProveOptions options = withoutTimeLimit(16u << 20, 40'000'000);
    int stride = 1;
    for (const char* name : {"KELDRA_PROVER_STRIDE", "KELDRA_GOLDEN_STRIDE"})
        if (const char* v = std::getenv(name); v != nullptr && std::atoi(v) > 1) stride = std::atoi(v);
    int index = 0;
    for (const test::ClassicalCorner& p : test::ClassicalCorners) {
        if (index++ % stride != 0) continue;
        const prover::ProveResult r = proveBookCorner(p, options, true);
        EXPECT_TRUE(r.verdict == Verdict::Kill || r.verdict == Verdict::KillByKo) << p.name;
        ASSERT_FALSE(r.line.empty()) << p.name;
        // White moves twice where it resolves a ko it retook: the colours tell.
        EXPECT_EQ(r.line.back().colour, Black) << p.name << ": the line ends with black's capture";
    }
}

// Two more lines of open board around each corner: the verdict stays and
// the book move is still among the killing moves (the lists themselves may
// grow: in a wider area a white group that crawls reaches the ring later).
// Corners whose wider proof needs more than the node limit are left out.
TEST(ProverProblems, ClassicalCornersKeepTheirVerdictInAWiderArea) {
    const prover::ProveOptions options = withoutTimeLimit(16u << 20, 2'000'000);
    prover::ProveOptions wider = options;
    wider.areaMargin = 2;
    int compared = 0, grown = 0;
    for (const test::ClassicalCorner& p : test::ClassicalCorners) {
        const Board board = ComposedBoard(p.rows);
        const prover::ProveResult far = prover::Prove(board, wider);
        if (far.limitReached) continue;
        ++compared;
        const prover::ProveResult near = proveBookCorner(p, options, true);
        EXPECT_STREQ(prover::VerdictToken(far.verdict), prover::VerdictToken(near.verdict)) << p.name;
        std::vector<prover::ProverMove> listed = far.kills;
        listed.insert(listed.end(), far.koKills.begin(), far.koKills.end());
        EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [&](const prover::ProverMove& m) {
            return std::to_string(m.x) + "," + std::to_string(m.y) == p.book;
        })) << p.name << ": " << movesText(listed);
        grown += far.firstMoves.size() > near.firstMoves.size();
    }
    EXPECT_GE(compared, 4);
    EXPECT_GE(grown, 2) << "the open corners gain first moves in the wider area";
}

// A table far too small for the proof: the entries the re-check walks are
// replaced while the search goes on. The re-check searches such positions
// again with the exact history above them, so the answer is still the
// book's kill, not an unknown.
TEST(ProverProblems, ATableTooSmallForTheProofStillGivesTheCheckedKill) {
    // One thread, so that the node count, and with it the verdict under the
    // node limit, does not depend on how two threads share the tiny table.
    prover::ProveOptions tiny = withoutTimeLimit(64u << 10, 20'000'000);
    tiny.threads = 1;
    int checked = 0;
    for (const test::ClassicalCorner& p : test::ClassicalCorners) {
        const std::string_view name = p.name;
        if (name.rfind("rabbity six", 0) != 0 && name.rfind("bent three with outside", 0) != 0 &&
            name.rfind("bulky five in the corner", 0) != 0)
            continue;
        EXPECT_STREQ(prover::VerdictToken(proveBookCorner(p, tiny, false).verdict), "kill") << p.name;
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

// The killing move of each bundled problem's index entry (problems/README.md).
struct Bundled {
    const char* file;
    const char* kill;
};
constexpr Bundled BundledProblems[] = {
    {"01-bent-three.go", "1,1"},  {"02-straight-three.go", "6,1"}, {"03-bulky-five.go", "2,1"},
    {"04-flower-five.go", "7,12"}, {"05-inside-stone.go", "3,1"},  {"06-hane.go", "9,1"},
    {"07-rabbity-six.go", "12,12"}, {"08-key-point.go", "7,1"},    {"09-which-side.go", "4,1"},
};

Board loadBundled(const char* file) {
    const ProblemLoad load = ReadProblemFile(test::SourcePath(std::string("problems/") + file));
    EXPECT_TRUE(load.ok) << file;
    Board board;
    InitBoard(board);
    ApplyProblem(board, load.stones);
    return board;
}

TEST(ProverProblems, BundledProblemsKillWithTheirIndexMove) {
    for (const Bundled& b : BundledProblems) {
        const prover::ProveResult r = prover::Prove(loadBundled(b.file));
        EXPECT_STREQ(prover::VerdictToken(r.verdict), "kill") << b.file;
        std::string padded = " ";
        padded += movesText(r.kills);
        padded += ' ';
        EXPECT_NE(padded.find(std::string(" ") + b.kill + " "), std::string::npos)
            << b.file << " kills: " << movesText(r.kills);
    }
}

TEST(ProverProblems, CliProvePrintsTheResultAndChecksItsArguments) {
    const std::string file = test::SourcePath("problems/02-straight-three.go");
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"prove", file}, out, err), 0);
    EXPECT_EQ(out.str().substr(0, out.str().find("line:")), "verdict: kill\nkill: 6,1\nko:\n");
    EXPECT_NE(out.str().find("\nline: 6,1,1 "), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\nrefute: 5,1>6,1 7,1>6,1\nnodes: "), std::string::npos) << out.str();

    const struct {
        std::vector<std::string_view> args;
        int status;
    } calls[] = {
        {{"prove", file, "--seconds", "0.5"}, 0},
        {{"prove", file, "--seconds"}, 2},
        {{"prove", file, "--seconds", "-1"}, 2},
        {{"prove", file, "--seconds", "x"}, 2},
        {{"prove", file, "--widen", "2"}, 0},
        {{"prove", file, "--widen", "-1"}, 2},
        {{"prove", file, "--widen", "10"}, 2},
        {{"prove", file, "--widen", "1", "--widen", "1"}, 2},
        {{"prove", file, "--nodes", "2000000"}, 0},
        {{"prove", file, "--nodes", "0"}, 2},
        {{"prove", file, "--nodes", "1e6"}, 2},
        {{"prove", file, "--nodes", "5", "--nodes", "5"}, 2},
        {{"prove", file, "extra"}, 2},
        {{"prove"}, 2},
        {{"prove", "/nonexistent/problem.go"}, 1},
    };
    for (const auto& c : calls) {
        std::ostringstream o, e;
        EXPECT_EQ(RunCli(c.args, o, e), c.status) << c.args.size() << " args";
        if (c.status == 1) {
            EXPECT_NE(e.str().find("は開けません"), std::string::npos) << e.str();
        }
    }

    // After the target line, when the kill was proved, in milliseconds from
    // the start: within the run's own elapsed time. --target names a white
    // stone's group.
    EXPECT_NE(out.str().find("\ntarget: 4,1\nproved-at: 6,1,"), std::string::npos) << out.str();
    {
        const std::size_t at = out.str().find("proved-at: 6,1,") + 15;
        const std::size_t ms = err.str().find("elapsed ");
        ASSERT_NE(ms, std::string::npos) << err.str();
        EXPECT_LE(std::stoll(out.str().substr(at)), std::stoll(err.str().substr(ms + 8)));
        EXPECT_EQ(out.str().substr(out.str().find('\n', at)), "\n") << "proved-at comes last";
    }
    for (const char* bad : {"0,1", "14,1", "1", "1,x", "1,2,3"}) {
        std::ostringstream o, e;
        EXPECT_EQ(RunCli({"prove", file, "--target", bad}, o, e), 2) << bad;
    }
    std::ostringstream o, e;
    EXPECT_EQ(RunCli({"prove", file, "--seconds", "5", "--target", "4,2"}, o, e), 0);
    EXPECT_NE(o.str().find("verdict: kill\nkill: 6,1\n"), std::string::npos) << o.str();
    std::ostringstream o2, e2;
    EXPECT_EQ(RunCli({"prove", file, "--target", "1,1"}, o2, e2), 1);
    EXPECT_EQ(e2.str(), "no white stone at 1,1\n");
}

// A board as one SGF game tree on the 13x13 board.
std::string sgfTreeOf(const Board& b) {
    std::string black, white;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const std::string p = {'[', static_cast<char>('a' + x - 1), static_cast<char>('a' + y - 1), ']'};
            if (b[x][y].Stone == Black) black += p;
            if (b[x][y].Stone == White) white += p;
        }
    }
    return "(;FF[4]GM[1]SZ[13]AB" + black + "AW" + white + ")";
}

// prove FILE TREE takes the game tree as board does; a proof cut short by
// its time lists the first moves it left open after refute:.
TEST(ProverProblems, CliProveTakesAGameTreeAndListsTheOpenMoves) {
    const test::ScratchFolder folder;
    const std::string twoTrees = folder.put(
        "two.sgf", sgfTreeOf(ComposedBoard(ComposedProblems[1].rows)) + sgfTreeOf(ComposedBoard(ComposedProblems[0].rows)));
    const struct {
        std::vector<std::string_view> args;
        const char* starts;
    } rows[] = {
        {{"prove", twoTrees}, "verdict: alive\nkill:\nko:\nline:\nrefute:\nnodes: "},
        {{"prove", twoTrees, "1"}, "verdict: alive\nkill:\nko:\nline:\nrefute:\nnodes: "},
        {{"prove", twoTrees, "2", "--seconds", "5"}, "verdict: kill\nkill: 2,1\nko:\n"},
    };
    for (const auto& r : rows) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(r.args, out, err), 0) << r.args.size() << " args";
        EXPECT_EQ(out.str().substr(0, std::string(r.starts).size()), r.starts) << out.str();
        EXPECT_EQ(out.str().find("open:"), std::string::npos) << out.str();
    }
    // All the options at once, in any order after the game tree.
    const std::string treeOut = folder.path("proof.sgf");
    std::ostringstream all, allErr;
    EXPECT_EQ(RunCli({"prove", twoTrees, "2", "--target", "4,1", "--tree", treeOut, "--seconds", "5"}, all, allErr), 0);
    EXPECT_EQ(all.str().rfind("verdict: kill\nkill: 2,1\n", 0), 0u) << all.str();
    EXPECT_NE(all.str().find("\ntarget: 1,2\n"), std::string::npos) << all.str();
    std::ifstream tree(treeOut, std::ios::binary);
    const std::string treeText{std::istreambuf_iterator<char>(tree), std::istreambuf_iterator<char>()};
    EXPECT_NE(treeText.find("正解"), std::string::npos) << treeText;

    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"prove", twoTrees, "3"}, out, err), 1) << "no third game tree";
    for (const std::vector<std::string_view>& bad :
         {std::vector<std::string_view>{"prove", twoTrees, "0"}, {"prove", twoTrees, "1", "2"},
          {"prove", twoTrees, "--seconds", "1", "--seconds", "1"}}) {
        std::ostringstream o, e;
        EXPECT_EQ(RunCli(bad, o, e), 2) << bad.size() << " args";
    }

    // An open board that no proof finishes in a tenth of a second: the
    // moves left open are listed, and none of them is also listed above.
    const std::string open = folder.put("open.sgf", "(;FF[4]GM[1]SZ[13]AB[cb][kb][cl][kl]AW[gg])");
    std::ostringstream o, e;
    EXPECT_EQ(RunCli({"prove", open, "--seconds", "0.1"}, o, e), 0);
    std::istringstream lines(o.str());
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) got.push_back(line);
    ASSERT_EQ(got.size(), 8u) << o.str();
    EXPECT_EQ(got[0], "verdict: unknown");
    EXPECT_EQ(got[4].rfind("refute:", 0), 0u);
    ASSERT_EQ(got[5].rfind("open: ", 0), 0u) << o.str();
    EXPECT_EQ(got[6].rfind("nodes: ", 0), 0u);
    EXPECT_EQ(got[7], "target: 7,7");
    // A node limit alone lifts the time limit: the open board stops once
    // the threads pass the limit, wherever the clock stands.
    {
        std::ostringstream lo, le;
        EXPECT_EQ(RunCli({"prove", open, "--nodes", "300000"}, lo, le), 0);
        const std::size_t at = lo.str().find("\nnodes: ");
        ASSERT_NE(at, std::string::npos) << lo.str();
        const std::uint64_t spent = std::stoull(lo.str().substr(at + 8));
        EXPECT_GE(spent, 300000u);
        EXPECT_LT(spent, 2000000u) << "the limit should stop the search within a few thousand positions a thread";
        EXPECT_NE(lo.str().find("\nopen: "), std::string::npos) << lo.str();
    }
    std::istringstream moves(got[5].substr(6));
    for (std::string m; moves >> m;) {
        EXPECT_EQ(got[1].find(" " + m), std::string::npos) << m;
        EXPECT_EQ(got[4].find(" " + m + ">"), std::string::npos) << m;
    }
}

TEST(ProverProblems, StubbornWhiteRefutesOrResistsLongest) {
    // Straight three: after black's push at (5,1) white takes the middle;
    // after black's middle point white can only resist.
    Board board = loadBundled("02-straight-three.go");
    board[5][1].Stone = Black;
    prover::ProverAnswer a = prover::WhiteAnswer(board);
    EXPECT_EQ(a.kind, prover::AnswerKind::Refutes);
    EXPECT_EQ(a.move, (prover::ProverMove{6, 1, White}));
    board[5][1].Stone = Empty;
    board[6][1].Stone = Black;
    a = prover::WhiteAnswer(board);
    EXPECT_EQ(a.kind, prover::AnswerKind::Resists);
    EXPECT_EQ(a.move.colour, White);
    Board empty;
    InitBoard(empty);
    EXPECT_EQ(prover::WhiteAnswer(empty).kind, prover::AnswerKind::NoTarget);
}

// A line GNU Go found: white has cut black's wall from outside, and the
// corner stone at (1,1) touches nothing of the fight. Black's connection at
// (1,2) joins it to the wall stones in the fight and leaves the whole group
// two liberties; white's atari at (1,4) wins the race. The proof and
// white's answer must agree: the corner stone is no safe wall once black's
// move there can join it to a group that may be captured. Every other black
// move keeps the race won, so they all kill.
TEST(ProverProblems, AWallStoneBlacksMoveJoinsToTheFightMayBeCaptured) {
    Board board = ComposedBoard(R"(
        X.XO.X.OX
        .XXOOOOOX
        XOOXXXXX.
        .O.......
        .........
        .O.......)");
    prover::ProveOptions options;
    options.seconds = 0;
    options.threads = 1;
    const prover::ProveResult r = prover::Prove(board, options);
    EXPECT_EQ(r.verdict, prover::Verdict::Kill);
    EXPECT_EQ(std::count(r.kills.begin(), r.kills.end(), prover::ProverMove{1, 2, Black}), 0) << movesText(r.kills);
    EXPECT_NE(std::count(r.kills.begin(), r.kills.end(), prover::ProverMove{5, 1, Black}), 0) << movesText(r.kills);
    board[1][2].Stone = Black;
    const prover::ProverAnswer a = prover::WhiteAnswer(board, options);
    EXPECT_EQ(a.kind, prover::AnswerKind::Refutes);
    EXPECT_EQ(a.move, (prover::ProverMove{1, 4, White}));

    // The same line one pair on, with the start's frame: black's (1,4) now
    // stands on the start area's ring, and the group's liberty at (1,5)
    // lies beyond it. The area grows with the fight, so white's atari there
    // is seen by the proof and by white's answer alike.
    Board start = ComposedBoard(R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....)");
    options.frame = prover::Prove(start, options).frame;
    board[1][2].Stone = Empty;
    board[1][4].Stone = Black;
    board[3][4].Stone = White;
    const prover::ProveResult later = prover::Prove(board, options);
    EXPECT_EQ(later.verdict, prover::Verdict::Kill);
    EXPECT_EQ(std::count(later.kills.begin(), later.kills.end(), prover::ProverMove{1, 2, Black}), 0) << movesText(later.kills);
    board[1][2].Stone = Black;
    const prover::ProverAnswer b = prover::WhiteAnswer(board, options);
    EXPECT_EQ(b.kind, prover::AnswerKind::Refutes);
    EXPECT_EQ(b.move, (prover::ProverMove{1, 5, White}));
}

TEST(ProverProblems, StopFlagEndsTheProofQuicklyWithUnknown) {
    // Two white stones in a wide enclosure: a proof would take many seconds.
    const Board board = ComposedBoard(R"(
        .....X
        .O...X
        ...O.X
        .....X
        XXXXXX)");
    std::atomic<bool> stop{false};
    prover::ProveOptions options;
    options.seconds = 60;
    options.nodeLimit = 0;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        stop = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const prover::ProveResult r = prover::Prove(board, options, &stop);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    canceller.join();
    EXPECT_LT(ms.count(), 600);
    EXPECT_EQ(r.verdict, Verdict::Unknown) << prover::VerdictToken(r.verdict);
    EXPECT_TRUE(r.limitReached);
}

}  // namespace
