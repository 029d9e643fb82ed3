// The proof tree, replayed through the rules engine on the enclosed composed
// problems: every move legal, every white defence that the rules allow
// answered under a kill, every kill ending with white captured, every
// refutation where the proof put it; then the tree as SGF through
// keldra-cli, read back by the project's reader and by GNU Go.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "BAN/rules.h"
#include "BAN/sgf/sgf_reader.h"
#include "cli/cli.h"
#include "prover/prover.h"
#include "prover_composed_problems.h"
#include "test_support.h"

namespace {

using namespace keldra;

// The empty points joined to a white stone through empty points and white
// stones: where white may play in an enclosed problem.
std::set<int> whiteRegion(const Board& b) {
    std::set<int> seen, empty;
    std::vector<int> todo;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y)
            if (b[x][y].Stone == White) todo.push_back(IndexOf(x, y)), seen.insert(IndexOf(x, y));
    while (!todo.empty()) {
        const int p = todo.back();
        todo.pop_back();
        for (const int q : {p - GridSide, p + GridSide, p - 1, p + 1}) {
            const int x = q / GridSide, y = q % GridSide;
            if (x < 1 || x > BoardSide || y < 1 || y > BoardSide || seen.count(q)) continue;
            const std::uint8_t c = b[x][y].Stone;
            if (c != Empty && c != White) continue;
            seen.insert(q);
            if (c == Empty) empty.insert(q);
            todo.push_back(q);
        }
    }
    return empty;
}

int whiteStones(const Board& b) {
    int n = 0;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) n += b[x][y].Stone == White;
    return n;
}

void clearKoMarks(Position& pos) {
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y) pos.board[x][y].KoMark = 0;
}

// Walks the subtree below tree node `t`, the position after it in `pos`.
// The ko master (Black or White) retakes kos at once: its ko marks are
// cleared. White resolves a ko it retakes with a second move, not a pass.
// A kill's line ends with white captured, or on an eye space the tree calls
// dead: the prover with the recognition off, on the problem's frame, must
// kill it too, whoever is to move.
void checkKillLeaf(const prover::ProofTreeNode& node, const Position& pos, const prover::ProblemFrame& frame,
                   const std::string& where, int& deadShapes) {
    if (!node.deadShape) {
        EXPECT_EQ(whiteStones(pos.board), 0) << where << ": a kill ends with white captured";
        return;
    }
    ++deadShapes;
    prover::ProveOptions played;
    played.threads = 1;
    played.frame = frame;
    played.deadEyeSpaces = false;
    if (node.move.colour == White) {
        EXPECT_EQ(prover::Prove(pos.board, played).verdict, prover::Verdict::Kill) << where << ": a dead shape, black to move";
    } else {
        EXPECT_EQ(prover::WhiteAnswer(pos.board, played).kind, prover::AnswerKind::Resists) << where << ": a dead shape, white to move";
    }
}

void walk(const prover::ProofTree& tree, int t, const Position& pos, bool kill, std::uint8_t koMaster,
          const prover::ProblemFrame& frame, const std::string& where, int& leaves, int& deadShapes) {
    const auto& node = tree.nodes[static_cast<std::size_t>(t)];
    if (node.children.empty()) {
        ++leaves;
        if (kill) checkKillLeaf(node, pos, frame, where, deadShapes);
        return;
    }
    if (kill && node.deadShape) {
        // A dead eye space played out: one line to the capture.
        ++deadShapes;
        Position line = pos;
        for (int at = node.children[0];; at = tree.nodes[static_cast<std::size_t>(at)].children[0]) {
            const auto& n = tree.nodes[static_cast<std::size_t>(at)];
            if (n.move.colour == koMaster) clearKoMarks(line);
            if (!n.move.isPass()) PlaceStone(line, n.move.x, n.move.y, n.move.colour);
            if (n.children.empty()) break;
            ASSERT_EQ(n.children.size(), 1u) << where << ": a dead space's line";
        }
        ++leaves;
        EXPECT_EQ(whiteStones(line.board), 0) << where << ": a dead space played out ends with white captured";
        return;
    }
    std::set<int> answered;
    bool whitePasses = false;
    for (const int c : node.children) {
        const prover::ProverMove m = tree.nodes[static_cast<std::size_t>(c)].move;
        Position next = pos;
        const std::string here = where + " " + std::to_string(m.x) + "," + std::to_string(m.y);
        if (m.isPass()) {
            ASSERT_EQ(m.colour, White) << here << ": only white passes";
            ASSERT_NE(node.move.colour, White) << here << ": white resolves its ko with a stone";
            whitePasses = true;
            clearKoMarks(next);  // a pass ends the ban
        } else {
            if (m.colour == koMaster) clearKoMarks(next);
            ASSERT_EQ(next.board[m.x][m.y].Stone, Empty) << here;
            PlaceStone(next, m.x, m.y, m.colour);
            ASSERT_EQ(next.board[m.x][m.y].Stone, m.colour) << here << ": the engine refuses the move";
            answered.insert(IndexOf(m.x, m.y));
        }
        walk(tree, c, next, kill, koMaster, frame, here, leaves, deadShapes);
    }
    const prover::ProverMove first = tree.nodes[static_cast<std::size_t>(node.children[0])].move;
    if (!kill || first.colour != White) {
        if (first.colour == Black) {
            EXPECT_EQ(node.children.size(), 1u) << where << ": black has one answer";
        }
        return;
    }
    // Under a kill every white move the rules allow is answered, and the pass
    // unless white resolves a ko.
    EXPECT_EQ(whitePasses, node.move.colour != White) << where;
    for (const int p : whiteRegion(pos.board)) {
        Position tryIt = pos;
        if (koMaster == White) clearKoMarks(tryIt);
        PlaceStone(tryIt, p / GridSide, p % GridSide, White);
        if (tryIt.board[p / GridSide][p % GridSide].Stone != White) continue;
        EXPECT_TRUE(answered.count(p)) << where << ": white's " << p / GridSide << "," << p % GridSide
                                       << " is not answered";
    }
}

TEST(ProverProofTree, EveryDefenceAnsweredEveryKillCapturesEveryRefutationHolds) {
    int problems = 0, kills = 0, refutations = 0, leaves = 0, deadShapes = 0;
    for (const auto& c : test::ComposedProblems) {
        const std::string name = c.name;
        bool open = false;
        for (const char* w : {"open", "escape", "outside", "beyond", "book"}) open |= name.find(w) != std::string::npos;
        if (open) continue;
        ++problems;
        prover::ProveOptions options;
        options.threads = 1;
        options.treeNodes = 3000;
        const Board board = test::ComposedBoard(c.rows);
        const prover::ProveResult r = prover::Prove(board, options);
        const prover::ProofTree& tree = r.tree;
        ASSERT_LT(tree.nodes.size(), 3000u) << name << ": the tree should be whole";
        for (const int t : tree.nodes[0].children) {
            const auto& n = tree.nodes[static_cast<std::size_t>(t)];
            const bool kill = n.status == prover::FirstMoveStatus::Kills || n.status == prover::FirstMoveStatus::KillsByKo;
            const std::string where = name + ": " + std::to_string(n.move.x) + "," + std::to_string(n.move.y);
            Position pos;
            pos.board = board;
            PlaceStone(pos, n.move.x, n.move.y, Black);
            ASSERT_EQ(pos.board[n.move.x][n.move.y].Stone, Black) << where;
            if (kill) {
                ++kills;
                ASSERT_FALSE(n.children.empty() && whiteStones(pos.board) != 0 && !n.deadShape) << where << ": a kill needs its proof";
            } else {
                ASSERT_EQ(n.status, prover::FirstMoveStatus::Refuted) << where;
                if (!n.children.empty()) {
                    ++refutations;
                    const prover::ProverMove w = tree.nodes[static_cast<std::size_t>(n.children[0])].move;
                    bool found = false;
                    for (const auto& f : r.firstMoves)
                        if (f.move == n.move) {
                            found = true;
                            EXPECT_EQ(w, f.refutation) << where;
                        }
                    EXPECT_TRUE(found) << where;
                    EXPECT_EQ(n.children.size(), 1u) << where << ": one line";
                }
            }
            walk(tree, t, pos, kill, n.status == prover::FirstMoveStatus::Kills ? White : Black, r.frame, where, leaves,
                 deadShapes);
        }
    }
    EXPECT_GE(problems, 20);
    EXPECT_GE(kills, 20);
    EXPECT_GE(refutations, 30);
    EXPECT_GE(leaves, 150);
    EXPECT_GE(deadShapes, 50);
}

// keldra-cli prove --tree: the project's reader finds the problem's stones
// again, and GNU Go loads the file.
TEST(ProverProofTree, CliWritesTheTreeAsSgfThatReadersLoad) {
    const test::ScratchFolder folder;
    const std::string out = folder.path("tree.sgf");
    std::ostringstream o, e;
    ASSERT_EQ(RunCli({"prove", test::SourcePath("problems/07-rabbity-six.go"), "--tree", out}, o, e), 0) << e.str();
    std::ifstream in(out, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string sgf = text.str();
    EXPECT_NE(sgf.find(";B[ll]TE[1]C[正解]"), std::string::npos) << "the killing move 12,12 with its status";
    EXPECT_NE(sgf.find(";B[kl]BM[1]C[失敗]\n;W[ll]"), std::string::npos) << "a refuted move with its refutation";

    const SgfLoad load = ParseSgf(sgf);
    ASSERT_TRUE(load.ok);
    std::ostringstream bo, be, po, pe;
    ASSERT_EQ(RunCli({"board", out}, bo, be), 0) << be.str();
    ASSERT_EQ(RunCli({"board", test::SourcePath("problems/07-rabbity-six.go")}, po, pe), 0);
    EXPECT_EQ(bo.str().substr(0, bo.str().find("moves")), po.str().substr(0, po.str().find("moves")));

    const char* gnugo = "/usr/games/gnugo";
    if (std::FILE* f = std::fopen(gnugo, "r")) {
        std::fclose(f);
        const std::string command = "printf 'loadsgf " + out + "\\nquit\\n' | " + gnugo + " --mode gtp 2>&1";
        std::FILE* p = popen(command.c_str(), "r");
        ASSERT_NE(p, nullptr);
        std::string reply;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p)) reply += buffer;
        pclose(p);
        EXPECT_EQ(reply.rfind("= black", 0), 0u) << reply;
    }
}

}  // namespace
