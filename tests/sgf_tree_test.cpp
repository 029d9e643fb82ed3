// The SGF game tree: composed collections in every marking convention read
// through `keldra-cli tree`, the lenient forms real files take, random trees
// written and read back, and hostile trees that must stay bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>
#include <string>

#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_tree.h"
#include "BAN/sgf/sgf_writer.h"
#include "QELMA/logic/problem_open.h"
#include "cli/cli.h"
#include "test_support.h"

namespace keldra {
namespace {

// A small black-to-kill corner on 13x13 that the moves below play around.
#define CORNER "SZ[13]AB[da][db][dc][cc][bc][ac]AW[ca][cb][bb][ab]"

struct TreeCase {
    const char* name;
    std::string sgf;
    const char* listing;
    int tree = 1;
};

const TreeCase TreeCases[] = {
    {"Japanese marks, nested: a line through a correct end is correct, one with only failures below is wrong",
     "(;" CORNER "C[黒先白死]"
     "(;B[ba];W[aa](;B[ea]C[正解])(;B[bb]C[失敗]))"
     "(;B[aa]C[失敗図];W[ba]))",
     "start correct 黒先白死\n"
     "  B 2,1 correct\n"
     "    W 1,1 correct\n"
     "      B 5,1 correct 正解\n"
     "      B 2,2 wrong 失敗\n"
     "  B 1,1 wrong 失敗図\n"
     "    W 2,1 wrong\n"},
    {"English marks on white's answers; 'Incorrect' is wrong, the earlier word counts",
     "(;" CORNER "(;B[ba]C[Correct.])(;B[aa];W[ba]C[Wrong.])(;B[ea]C[Incorrect; the correct move is elsewhere]))",
     "start correct\n"
     "  B 2,1 correct Correct.\n"
     "  B 1,1 wrong\n"
     "    W 2,1 wrong Wrong.\n"
     "  B 5,1 wrong Incorrect; the correct move is elsewhere\n"},
    {"goproblems: RIGHT at the end of the line, an unmarked line stays unknown, 'right' in prose counts for nothing",
     "(;" CORNER "(;B[ba];W[aa];B[ea]C[Well done!\nRIGHT])(;B[ea]C[the top right corner]))",
     "start correct\n"
     "  B 2,1 correct\n"
     "    W 1,1 correct\n"
     "      B 5,1 correct Well done!\n"
     "  B 5,1 unknown the top right corner\n"},
    {"GB2312 collection: 正解图, 失败图; 变化图 on white's other try is correct, on black's other move wrong",
     "(;CA[gb2312]" CORNER
     "(;B[ba](;W[aa];B[ea]C[\xD5\xFD\xBD\xE2\xCD\xBC])(;W[ea];B[aa]C[\xB1\xE4\xBB\xAF\xCD\xBC]))"
     "(;B[ea];W[ba]C[\xCA\xA7\xB0\xDC\xCD\xBC])"
     "(;B[aa];W[ba]C[\xB1\xE4\xBB\xAF]))",
     "start correct\n"
     "  B 2,1 correct\n"
     "    W 1,1 correct\n"
     "      B 5,1 correct 正解图\n"
     "    W 5,1 correct\n"
     "      B 1,1 correct 变化图\n"
     "  B 5,1 wrong\n"
     "    W 2,1 wrong 失败图\n"
     "  B 1,1 wrong\n"
     "    W 2,1 wrong 变化\n"},
    {"Shift_JIS 失敗 and properties: TE and BM mark without words, BM over a comment's word",
     "(;CA[Shift_JIS]" CORNER "(;B[ba]TE[1])(;B[aa]C[\x8E\xB8\x94\x73])(;B[ea]BM[1]C[Correct?]))",
     "start correct\n"
     "  B 2,1 correct\n"
     "  B 1,1 wrong 失敗\n"
     "  B 5,1 wrong Correct?\n"},
    {"no mark in the whole collection: the first variation is correct",
     "(;" CORNER "(;B[ba];W[aa](;B[ea])(;B[bb]))(;B[aa];W[ba]))(;" CORNER ";B[ea])",
     "start correct\n"
     "  B 2,1 correct\n"
     "    W 1,1 correct\n"
     "      B 5,1 correct\n"
     "      B 2,2 unknown\n"
     "  B 1,1 unknown\n"
     "    W 2,1 unknown\n"},
    {"another tree of the collection is marked: an unmarked tree stays unknown",
     "(;" CORNER ";B[ba]C[Correct])(;" CORNER "(;B[ba])(;B[aa]))",
     "start unknown\n"
     "  B 2,1 unknown\n"
     "  B 1,1 unknown\n",
     2},
    {"a 变化 line with no other line beside it leaves nothing: unknown",
     "(;" CORNER ";B[ba];W[aa]C[变化图])(;" CORNER ";B[aa]C[Correct])",
     "start unknown\n"
     "  B 2,1 unknown\n"
     "    W 1,1 unknown 变化图\n"},
    {"moves after a marked move belong to its line; a node without a move adds its comment to the move above",
     "(;" CORNER "(;B[ba]C[正解];W[aa];C[then]BM[1];B[ea])(;B[aa]C[失敗];W[ba];B[ea]))",
     "start correct\n"
     "  B 2,1 correct 正解\n"
     "    W 1,1 wrong then\n"
     "      B 5,1 wrong\n"
     "  B 1,1 wrong 失敗\n"
     "    W 2,1 wrong\n"
     "      B 5,1 wrong\n"},
    {"white first on 19x19, top right: colours exchanged, moves moved with the stones, a tenuki is a pass",
     "(;SZ[19]PL[W]AW[pa][pb][pc][qc][rc][sc]AB[qa][qb][rb][sb](;W[ra];B[zz];W[sa]C[RIGHT])(;W[sa]C[Wrong]))",
     "start correct\n"
     "  B 12,1 correct\n"
     "    W pass correct\n"
     "      B 13,1 correct RIGHT\n"
     "  B 13,1 wrong Wrong\n"},
    {"white first with 变化: the first player's other move strays, the colours as in the file",
     "(;SZ[19]PL[W]AW[pa][pb][pc][qc][rc][sc]AB[qa][qb][rb][sb](;W[ra]C[RIGHT])(;W[sa];B[ra]C[变化]))",
     "start correct\n"
     "  B 12,1 correct RIGHT\n"
     "  B 13,1 wrong\n"
     "    W 12,1 wrong 变化\n"},
};

TEST(SgfTree, CliPrintsTheJudgedTreeOfEachConvention) {
    test::ScratchFolder f;
    for (const TreeCase& c : TreeCases) {
        const std::string path = f.put("tree.sgf", c.sgf);
        std::ostringstream out, err;
        const std::string tree = std::to_string(c.tree);
        const int status = RunCli({"tree", path, tree}, out, err);
        EXPECT_EQ(status, 0) << c.name << ": " << err.str();
        EXPECT_EQ(out.str(), c.listing) << c.name;
    }
}

struct LenientCase {
    const char* name;
    const char* sgf;
    const char* record;   // the main line kept, "X,Y" moves on the fitted board
    const char* comment;  // the root comment
    const char* listing;  // the tree, or "" not to check
    bool warned = false;
};

std::string recordText(const std::vector<MoveRecord>& record) {
    std::string t;
    for (const MoveRecord& m : record) {
        if (!t.empty()) t += ' ';
        t += std::to_string(m.X);
        t += ',';
        t += std::to_string(m.Y);
    }
    return t;
}

const LenientCase LenientCases[] = {
    {"a repeated property merges: setup lists add, comments join", "(;C[one]AB[aa]AW[ba]AB[bb]C[two];B[ca])", "3,1", "one\ntwo",
     "start correct one\n  B 3,1 correct\n"},
    {"a variation whose first node lacks its ';'", "(;AB[aa](N[first]B[bb];W[cc])(;B[dd]))", "2,2 3,3", "",
     "start correct\n  B 2,2 correct\n    W 3,3 correct\n  B 4,4 unknown\n"},
    {"a game tree whose root lacks its ';'", "(SZ[13]AB[aa];B[bb])", "2,2", "", ""},
    {"zz in the solution is a tenuki: the record ends, the tree goes on", "(;AB[aa];B[bb];W[zz];B[cc]C[Correct])", "2,2", "",
     "start correct\n  B 2,2 correct\n    W pass correct\n      B 3,3 correct Correct\n"},
    {"capitals are off the board too", "(;AB[aa];B[ZZ];W[bb])", "", "", "start correct\n  B pass correct\n    W 2,2 correct\n"},
    {"tt on 19x19 is a pass", "(;SZ[19]AB[aa];B[tt])", "", "", ""},
    {"an empty variation adds nothing; the next one continues the line", "(;AB[aa];B[bb]()(;W[cc])(;W[dd]))", "2,2 3,3", "",
     "start correct\n  B 2,2 correct\n    W 3,3 correct\n    W 4,4 unknown\n"},
    {"white's area at the cut of a 19x19 board: opens with the warning", "(;AW[ga][ma]AB[ia])", "", "", "", true},
    {"white across a 9x9 board: opens with the warning", "(;SZ[9]AW[ae][be][ce][de][ee][fe][ge][he][ie])", "", "", "", true},
};

TEST(SgfTree, LenientReading) {
    for (const LenientCase& c : LenientCases) {
        const SgfLoad load = ParseSgf(c.sgf);
        ASSERT_TRUE(load.ok) << c.name << ": " << load.error;
        const FittedProblem fit = FitSgfGame(load.game);
        ASSERT_TRUE(fit.ok) << c.name << ": " << fit.error;
        EXPECT_EQ(recordText(fit.record), c.record) << c.name;
        EXPECT_EQ(load.game.comment, c.comment) << c.name;
        if (*c.listing) {
            EXPECT_EQ(SgfTreeListing(fit.tree), c.listing) << c.name;
        }
        EXPECT_EQ(fit.warning.rfind("注意：白の周りが元の盤の端に接しています", 0) == 0, c.warned) << c.name << ": " << fit.warning;
    }
    // what is still refused
    const std::pair<const char*, const char*> refused[] = {
        {"(;AB[aa];B[aa]x)", "SGF の書式が正しくありません（1 行目）"},
        {"(;AB[aa])()", "SGF の書式が正しくありません（1 行目）"},
        {"(;AB[aa](;B[bb]);W[cc])", "SGF の書式が正しくありません（1 行目）"},
        {"(;AB[aa];B[abc])", "座標 [abc] は盤の上にありません"},
        {"(;SZ[9]AB[jj])", "座標 [jj] は盤の上にありません"},
    };
    for (const auto& [sgf, message] : refused) EXPECT_EQ(ParseSgf(sgf).error, message) << sgf;
}

// Every node in file order: depth, move, mark, judgement and whole comment.
std::string everything(const SgfTree& tree) {
    std::string out;
    std::vector<std::pair<int, int>> stack{{0, 0}};
    while (!stack.empty()) {
        const auto [i, depth] = stack.back();
        stack.pop_back();
        const SgfTreeNode& n = tree.nodes[static_cast<std::size_t>(i)];
        out += std::to_string(depth) + " " + std::to_string(n.move.colour) + ":" + std::to_string(n.move.x) + "," +
               std::to_string(n.move.y) + " " + SgfJudgementToken(n.mark) + "/" + SgfJudgementToken(n.judgement) + " [" +
               n.comment + "]\n";
        for (auto c = n.children.rbegin(); c != n.children.rend(); ++c) stack.emplace_back(*c, depth + 1);
    }
    return out;
}

// Opening for the window: the warning stands in the memo before the comment,
// and the tree's comments come decoded (or left out when they cannot be).
TEST(SgfTree, OpenedProblemCarriesWarningAndDecodedTree) {
    test::ScratchFolder f;
    const CharsetDecoder gb = [](std::string_view cs, std::string_view bytes) -> std::optional<std::string> {
        if (cs != "GB2312" || bytes != "\xD5\xFD\xBD\xE2") return std::nullopt;
        return "正解";
    };
    const OpenedProblem p = ReadProblemPath(
        f.put("edge.sgf", "(;CA[GB2312]PL[W]AB[ga][ma]AW[ia]C[root](;W[ha]C[\xD5\xFD\xBD\xE2])(;W[ja]C[\xFF]))"), 0, gb);
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.memo.size(), 3u);
    EXPECT_EQ(p.memo[0], SwappedColoursNote);
    EXPECT_EQ(p.memo[1], FitEdgeWarning(19, 19));
    EXPECT_EQ(p.memo[2], "root");
    ASSERT_EQ(p.tree.nodes.size(), 3u);
    EXPECT_EQ(p.tree.nodes[1].comment, "正解");
    EXPECT_EQ(p.tree.nodes[1].judgement, SgfJudgement::Correct);
    EXPECT_EQ(p.tree.nodes[1].move.colour, Black);
    EXPECT_EQ(p.tree.nodes[2].comment, "");
}

// Random trees on the 13x13 board, written and read back: the same moves,
// shape, comments, marks and judgements; writing again gives the same text.
TEST(SgfTree, RandomTreesRoundTrip) {
    std::mt19937 rng(20);
    const char* const comments[] = {"", "", "", "正解", "失敗図", "Wrong.", "RIGHT", "a ] b \\ c", "two\nlines", "Correct; then\nmore",
                                    "失败", "text"};
    for (int trial = 0; trial < 300; ++trial) {
        Board start{};
        InitBoard(start);
        for (int k = 0; k < 6; ++k) {
            start[1 + static_cast<int>(rng() % 13)][1 + static_cast<int>(rng() % 13)].Stone = static_cast<std::uint8_t>(1 + rng() % 2);
        }
        SgfTree tree;
        tree.nodes[0].comment = comments[rng() % std::size(comments)];
        const int size = 1 + static_cast<int>(rng() % 40);
        bool anyMark = false;
        for (int k = 0; k < size; ++k) {
            const int parent = static_cast<int>(rng() % tree.nodes.size());
            const SgfTreeNode& p = tree.nodes[static_cast<std::size_t>(parent)];
            const std::uint8_t colour = p.move.colour == Black ? White : Black;
            const bool pass = rng() % 10 == 0;
            const SgfMove m{colour, static_cast<std::uint8_t>(pass ? 0 : 1 + rng() % 13), static_cast<std::uint8_t>(pass ? 0 : 1 + rng() % 13)};
            std::string comment = comments[rng() % std::size(comments)];
            SgfJudgement mark = SgfCommentMark(comment);
            if (rng() % 6 == 0) mark = rng() % 2 ? SgfJudgement::Correct : SgfJudgement::Wrong;
            anyMark = anyMark || mark != SgfJudgement::Unknown;
            tree.add(parent, m, comment, mark);
        }
        ResolveJudgements(tree, !anyMark);
        const std::string rootComment = tree.nodes[0].comment;
        const std::string text = SgfTreeText(start, tree, rootComment);
        const SgfLoad load = ParseSgf(text);
        ASSERT_TRUE(load.ok) << load.error << "\n" << text;
        const FittedProblem fit = FitSgfGame(load.game);
        ASSERT_TRUE(fit.ok) << fit.error;
        ASSERT_EQ(fit.tree.nodes.size(), tree.nodes.size()) << text;
        ASSERT_EQ(everything(fit.tree), everything(tree)) << text;
        Board back{};
        InitBoard(back);
        ApplyProblem(back, fit.stones);
        ASSERT_EQ(SgfTreeText(back, fit.tree, load.game.comment), text);
    }
}

// Random game trees written out by hand in every form the reader takes (a
// node's ';' missing after '(', empty variations, comment-only nodes, a
// repeated C, tenuki moves) read to the tree they were written from.
class TreeWriter {
public:
    explicit TreeWriter(std::mt19937& rng) : rng_(rng) {}
    std::string text;
    SgfTree expected;

    void write() {
        text = "(;SZ[13]AB[aa]";
        subtree(0, 0);
        text += ")";
        ResolveJudgements(expected, true);  // nothing is marked
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(rng_() % n); }

    // One node with a move below `parent`; `semicolon` false right after "(".
    int node(int parent, bool semicolon) {
        const SgfTreeNode& p = expected.nodes[static_cast<std::size_t>(parent)];
        const std::uint8_t colour = p.move.colour == Black ? White : Black;
        const bool tenuki = pick(8) == 0;
        const SgfMove m{colour, static_cast<std::uint8_t>(tenuki ? 0 : 1 + pick(13)), static_cast<std::uint8_t>(tenuki ? 0 : 1 + pick(13))};
        if (semicolon) text += ";";
        text += colour == Black ? "B[" : "W[";
        text += tenuki ? std::string("zz") : std::string{static_cast<char>('a' + m.x - 1), static_cast<char>('a' + m.y - 1)};
        text += "]";
        std::string comment;
        if (pick(3) == 0) {
            comment = "c" + std::to_string(pick(100));
            text += "C[" + comment + "]";
            if (pick(3) == 0) {
                text += "C[again]";
                comment += "\nagain";
            }
        }
        if (pick(5) == 0) {
            text += ";C[note]";
            comment += comment.empty() ? "note" : "\nnote";
        }
        return expected.add(parent, m, comment);
    }

    void subtree(int parent, int depth) {
        const unsigned children = depth >= 6 ? 0 : pick(4);
        if (children == 1) return subtree(node(parent, true), depth + 1);
        for (unsigned c = 0; c < children; ++c) {
            if (pick(6) == 0) text += "()";
            text += "(";
            const int child = node(parent, pick(4) != 0);
            subtree(child, depth + 1);
            text += ")";
        }
    }

    std::mt19937& rng_;
};

TEST(SgfTree, HandWrittenTreesReadAsWritten) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 500; ++trial) {
        TreeWriter w(rng);
        w.write();
        const SgfLoad load = ParseSgf(w.text);
        ASSERT_TRUE(load.ok) << load.error << "\n" << w.text;
        ASSERT_EQ(everything(load.game.tree), everything(w.expected)) << w.text;
    }
}

// Hostile trees: bounded memory and time, one clear warning, no crash.
TEST(SgfTree, HugeTreesAndCommentsStayBounded) {
    std::string chain = "(;SZ[13]AB[aa]AW[bb]";
    for (int k = 0; k < 1000000; ++k) chain += k % 2 ? ";W[cc]" : ";B[dd]";
    chain += ")";
    std::string nested = "(;AB[aa]";
    for (int k = 0; k < 1000000; ++k) nested += k % 2 ? "(;W[cc]" : "(;B[dd]";
    nested += std::string(1000000, ')') + ")";
    std::string variations = "(;AB[aa]";
    for (int k = 0; k < 200000; ++k) variations += k % 2 ? ";W[cc]C[\xB1\xE4\xBB\xAF]" : ";B[dd]C[\xB1\xE4\xBB\xAF]";
    variations += ")";
    std::string wide = "(;AB[aa]";
    for (int k = 0; k < 1000000; ++k) wide += "(;B[dd])";
    wide += ")";
    const std::string comment = "(;AB[aa];B[bb]C[" + std::string(10u << 20, 'x') + "失敗])";
    const std::string comments = [] {
        std::string s = "(;AB[aa]";
        for (int k = 0; k < 200; ++k) s += "(;B[bb]C[" + std::string(60000, 'y') + "])";
        return s + ")";
    }();
    std::string joined = "(;AB[aa];B[bb]";
    for (int k = 0; k < 100; ++k) joined += ";C[" + std::string(1000, 'z') + "]";
    joined += ")";
    const std::string* const inputs[] = {&chain, &nested, &variations, &wide, &comment, &comments, &joined};
    for (const std::string* in : inputs) {
        const auto started = std::chrono::steady_clock::now();
        const SgfLoad load = ParseSgf(*in);
        ASSERT_TRUE(load.ok) << load.error;
        const FittedProblem fit = FitSgfGame(load.game);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
        ASSERT_TRUE(fit.ok) << fit.error;
        EXPECT_LE(fit.tree.nodes.size(), SgfMaxTreeNodes);
        std::size_t bytes = 0;
        for (const SgfTreeNode& n : fit.tree.nodes) {
            EXPECT_LE(n.comment.size(), SgfMaxCommentBytes);
            bytes += n.comment.size();
        }
        EXPECT_LE(bytes, SgfMaxTreeCommentBytes);
        const bool cut = in != &comment;
        EXPECT_EQ(fit.warning == TreeCutWarning, cut) << fit.warning;
        EXPECT_LT(SgfTreeListing(fit.tree).size(), std::size_t{100} << 20);
#ifdef NDEBUG
        EXPECT_LT(ms, 3000);
#endif
        (void)ms;
    }
    // the long comment is cut, but the mark at its end still counts
    EXPECT_EQ(FitSgfGame(ParseSgf(comment).game).tree.nodes[1].judgement, SgfJudgement::Wrong);
    // a charset nobody knows: the comment is left out, the tree stays
    const SgfLoad klingon = ParseSgf("(;CA[x-klingon]AB[aa];B[bb]C[\xFF\xFE])");
    ASSERT_TRUE(klingon.ok);
    const CharsetDecoder none = [](std::string_view, std::string_view) { return std::optional<std::string>(); };
    EXPECT_EQ(TextAsUtf8(klingon.game.charset, klingon.game.tree.nodes[1].comment, none), std::nullopt);
}

}  // namespace
}  // namespace keldra
