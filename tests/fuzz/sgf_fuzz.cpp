// Fuzz target for the SGF reader, the fitting onto 13x13 and the writers.
// Whatever the bytes, the reader ends in a game or one short message; asking
// for the last tree agrees with asking for it by number; a fitted problem is
// written, read and fitted again to the same stones and the same record; its
// game tree is well formed, on the board, and written and read back to the
// same moves, comments and marks (and judgements, for a single game tree
// whose comments are written as they are).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_tree.h"
#include "BAN/sgf/sgf_writer.h"

using namespace keldra;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// Every node in file order: depth, move, mark, comment, and the judgement
// when asked.
std::string shape(const SgfTree& tree, bool judgements) {
    std::string out;
    std::vector<std::pair<int, int>> stack{{0, 0}};
    while (!stack.empty()) {
        const auto [i, depth] = stack.back();
        stack.pop_back();
        const SgfTreeNode& n = tree.nodes[static_cast<std::size_t>(i)];
        out += std::to_string(depth) + " " + std::to_string(n.move.colour) + std::to_string(n.move.x) + "," +
               std::to_string(n.move.y) + SgfJudgementToken(n.mark) + (judgements ? SgfJudgementToken(n.judgement) : "") + "[" +
               n.comment + "]\n";
        for (auto c = n.children.rbegin(); c != n.children.rend(); ++c) stack.emplace_back(*c, depth + 1);
    }
    return out;
}

void checkTree(const SgfTree& tree) {
    check(!tree.nodes.empty() && tree.nodes.size() <= SgfMaxTreeNodes && tree.nodes[0].parent == -1);
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
        const SgfTreeNode& n = tree.nodes[i];
        check(n.comment.size() < SgfMaxCommentBytes);
        if (i > 0) {
            check(n.parent >= 0 && static_cast<std::size_t>(n.parent) < i);
            check(n.move.colour == Black || n.move.colour == White);
            check(n.move.x == 0 ? n.move.y == 0 : IsPlayable(n.move.x, n.move.y));
        }
        for (const int c : n.children) check(static_cast<std::size_t>(c) > i && tree.nodes[static_cast<std::size_t>(c)].parent == static_cast<int>(i));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SgfLoad first = ParseSgf(bytes, 0);
    check(first.ok ? first.error.empty() : !first.error.empty() && first.error.size() < 200);
    if (!first.ok) return 0;
    check(first.trees >= 1 && first.tree == 0);
    check(first.game.width >= 1 && first.game.width <= SgfMaxSide && first.game.height >= 1 && first.game.height <= SgfMaxSide);
    check(first.game.moves.size() <= SgfMaxMoves && first.game.comment.size() <= SgfMaxCommentBytes);

    const SgfLoad last = ParseSgf(bytes, -1);
    if (last.ok) {
        check(last.trees == first.trees && last.tree == first.trees - 1);
        const SgfLoad byNumber = ParseSgf(bytes, last.tree);
        check(byNumber.ok && byNumber.game.setup == last.game.setup && byNumber.game.moves.size() == last.game.moves.size());
    }

    const auto comment = CommentAsUtf8(first.game, nullptr);
    if (comment) check(IsValidUtf8(*comment));

    const FittedProblem fit = FitSgfGame(first.game);
    if (!fit.ok) {
        check(!fit.error.empty());
        return 0;
    }
    Board start{};
    InitBoard(start);
    ApplyProblem(start, fit.stones);
    const std::string text = SgfText(start, fit.record, comment ? *comment : std::string());
    const SgfLoad again = ParseSgf(text, 0);
    check(again.ok && again.trees == 1 && again.game.toPlay == Black);
    if (comment) check(again.game.comment == *comment || comment->find('\r') != std::string::npos);
    const FittedProblem refit = FitSgfGame(again.game);
    check(refit.ok && !refit.swapped && refit.stones == fit.stones && refit.record == fit.record);

    checkTree(fit.tree);
    SgfTree written = fit.tree;
    for (SgfTreeNode& n : written.nodes) n.comment = SgfValidUtf8(n.comment);
    const std::string treeText = SgfTreeText(start, written, written.nodes[0].comment);
    const SgfLoad treeAgain = ParseSgf(treeText, 0);
    check(treeAgain.ok && treeAgain.trees == 1);
    const FittedProblem treeRefit = FitSgfGame(treeAgain.game);
    check(treeRefit.ok && treeRefit.stones == fit.stones);
    checkTree(treeRefit.tree);
    // Judgements follow from the comments too (变化 in GB2312 bytes): they
    // come back the same where the writer kept every comment as it was.
    bool sameComments = true;
    for (std::size_t i = 0; i < written.nodes.size(); ++i) sameComments = sameComments && written.nodes[i].comment == fit.tree.nodes[i].comment;
    const bool judgements = first.trees == 1 && sameComments;
    check(shape(treeRefit.tree, judgements) == shape(written, judgements));
    return 0;
}
